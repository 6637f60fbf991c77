// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Feeds arbitrary bytes to the auto-replace file reader and puts what comes out through
// the list commands: the reader must never crash, hang or allocate wildly; a list read
// must write back and read again unchanged, survive the panel's snapshot, and a merge
// must leave no two captions that are the same but for case.

#include "core/common/Errors.h"
#include "core/fields/AutoReplace.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

Quillet::ReplacePairs readBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return Quillet::AutoReplace::readArl(buffer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quillet;
    ReplacePairs read;
    try {
        read = readBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const Error&) {
        return 0;
    }
    // From here on nothing may fail: every byte decodes, so every list read can be written.
    const QByteArray written = AutoReplace::serializeArl(read);
    if (readBytes(written) != read)
        std::abort(); // a written list must read back the same

    ReplacePairs opened;
    AutoReplace::openPairs(opened, read);
    if (opened.size() != read.size())
        std::abort();
    if (AutoReplace::restoreSnapshot(AutoReplace::snapshot(opened)) != opened)
        std::abort(); // Cancel must bring the list back as it was

    ReplacePairs merged;
    AutoReplace::mergePairs(merged, read);
    for (size_t i = 0; i < merged.size(); ++i) {
        if (AutoReplace::findCaption(merged, merged[i].find) != qsizetype(i))
            std::abort(); // a merged caption stands once
    }
    return 0;
}
