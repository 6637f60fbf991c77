// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Feeds arbitrary bytes to the project reader and, when a project comes out, writes it
// again and reads that back: the reader must never crash, hang or allocate wildly, and
// whatever it accepts must survive a round trip. Every node it yields also gets its line
// in the field tree, which must never be empty.

#include "core/app/NodeDisplayText.h"
#include "core/app/NodeGrammar.h"
#include "core/app/ProjectFile.h"
#include "core/common/Errors.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

void exerciseGrammar(const Quillet::Project& project)
{
    using namespace Quillet;
    for (const FieldNode& field : project.Structure.fields) {
        if (nodeDisplayText(field.text, false).isEmpty())
            std::abort();
        const QStringView options = QStringView(field.text).mid(4);
        try {
            switch (field.kind()) {
            case FieldKind::Text:
                ParseTextOptions(options);
                break;
            case FieldKind::Image:
                parseImageOptions(options);
                break;
            case FieldKind::Shape:
                parseShapeOptions(options);
                break;
            }
        } catch (const ConversionError&) {
        }
        for (const TreeNode& block : field.blocks) {
            if (nodeDisplayText(block.text, true).isEmpty())
                std::abort();
            try {
                ParseBlockRect(block.text);
            } catch (const ConversionError&) {
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    try {
        const Quillet::Project project = Quillet::ProjectFile::read(buffer);
        exerciseGrammar(project);
        const QByteArray again = Quillet::ProjectFile::serialize(project);
        QBuffer second;
        second.setData(again);
        second.open(QIODevice::ReadOnly);
        const Quillet::Project reread = Quillet::ProjectFile::read(second);
        if (Quillet::ProjectFile::serialize(reread) != again)
            std::abort(); // a written project must read back to the same bytes
    } catch (const Quillet::Error&) {
    }
    return 0;
}
