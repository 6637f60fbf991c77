// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// What picture decoders say about a damaged file. Qt's image readers warn through Qt's
// messages and libtiff through handlers of its own; left alone, both write on stderr, in
// the middle of the window's output or before the command line's one-line error.

#include <QStringList>

namespace Quillet {

/// While it lives, Qt's messages (fatal ones excepted) and libtiff's warnings and errors
/// said on the thread that made it are kept here instead of being written out; other
/// threads go on as before. Captures nest: the innermost one keeps what is said. Made and
/// destroyed on the same thread.
class DecoderMessages {
public:
    DecoderMessages();
    ~DecoderMessages();
    DecoderMessages(const DecoderMessages&) = delete;
    DecoderMessages& operator=(const DecoderMessages&) = delete;

    /// Puts the capturing handlers in place now (the first capture does otherwise). A
    /// program that decodes on several threads calls it before they start, so that no
    /// decoder runs while libtiff's handlers are being swapped.
    static void install();

    /// What was said so far, oldest first, one line each.
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
    QStringList* m_outer = nullptr;
};

} // namespace Quillet
