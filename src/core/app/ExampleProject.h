// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

#include <QString>

namespace Quillet::ExampleProject {

/// The example's project file inside its folder.
QString projectFileName();

/// The folder of the example the program carries (a form, its workbook and its stamp),
/// for a program whose executable lies in `programFolder`: "../share/quillet/examples/demo"
/// beside an installed program first, then the source tree's "examples/demo" of the build
/// the program comes from, for a program run from its build tree. Only a folder that holds
/// the example's project counts; empty when none does.
QString findExampleFolder(const QString& programFolder);

/// The folder the example is copied into before it is opened, so that the user can edit
/// and save it and the shipped one stays as it is: the folder "Quillet — пример" (its name
/// in the user's language) inside `documentsFolder` when that folder exists, else inside
/// `homeFolder`.
QString copyFolder(const QString& documentsFolder, const QString& homeFolder);

/// Copies every file of the folder `from` into the folder `to`, making `to` when it is
/// missing and replacing files of the same names. Throws FileError when `from` holds no
/// example or naming the file that could not be copied; files copied before it stay.
void copyExample(const QString& from, const QString& to);

} // namespace Quillet::ExampleProject
