// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// The window tests' helpers are test support: support/WindowDriver.h.
#include "support/WindowDriver.h"
