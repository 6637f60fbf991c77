// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Project file throughput: a project of 999 text fields with 20 blocks each and a
// 2 MB background is written, read and its node texts parsed, several times over.
// Prints the figures and, last, one JSON object of them.

#include "core/app/NodeGrammar.h"
#include "core/app/ProjectFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Quillet;

namespace {

Project bigProject()
{
    Project p;
    p.BackgroundImage = QByteArray(2 << 20, '\x5A');
    p.BackgroundImage[0] = char(0xFF); // not decoded here; only copied
    for (int f = 0; f < 999; ++f) {
        TOptTextField o;
        o.fieldText = QStringLiteral("=A%1:A%2").arg(f + 2).arg(f + 500);
        o.fontSize = 12;
        o.fontName = QStringLiteral("Arial");
        FieldNode field;
        field.text = composeTextField(p.takeNewFieldId(FieldKind::Text), o);
        for (int b = 0; b < 20; ++b)
            field.blocks.push_back(
                TreeNode{composeBlockText(BlockRect{b, f, b + 100, f + 30}), false});
        p.Structure.fields.push_back(field);
    }
    return p;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const Project project = bigProject();
    std::vector<double> writeMs, readMs, parseMs;
    QByteArray bytes;
    for (int round = 0; round < 7; ++round) {
        QElapsedTimer t;
        t.start();
        bytes = ProjectFile::serialize(project);
        writeMs.push_back(double(t.nsecsElapsed()) / 1e6);

        // The background is not a JPEG here; time the tree and settings alone.
        Project noBackground = project;
        noBackground.BackgroundImage.clear();
        const QByteArray plain = ProjectFile::serialize(noBackground);
        QBuffer buffer;
        buffer.setData(plain);
        buffer.open(QIODevice::ReadOnly);
        t.restart();
        const Project back = ProjectFile::read(buffer);
        readMs.push_back(double(t.nsecsElapsed()) / 1e6);

        t.restart();
        long long sum = 0;
        for (const FieldNode& field : back.Structure.fields) {
            sum += ParseTextOptions(QStringView(field.text).mid(4)).fontSize;
            for (const TreeNode& block : field.blocks)
                sum += ParseBlockRect(block.text).Right;
        }
        parseMs.push_back(double(t.nsecsElapsed()) / 1e6);
        if (sum == 42)
            std::puts("");
    }
    const int nodes = project.Structure.nodeCount();
    std::printf("project of %d nodes, %lld bytes\n", nodes, (long long)bytes.size());
    std::printf("write %.2f ms, read %.2f ms, parse all nodes %.2f ms (medians of 7)\n",
                median(writeMs), median(readMs), median(parseMs));
    std::printf("{\"nodes\": %d, \"file_bytes\": %lld, \"write_ms\": %.3f, \"read_ms\": %.3f, "
                "\"parse_ms\": %.3f}\n",
                nodes, (long long)bytes.size(), median(writeMs), median(readMs), median(parseMs));
    return 0;
}
