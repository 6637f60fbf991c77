// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "RasterSamples.h"
#include "core/raster/BlendKernels.h"
#include "core/raster/FastDIB.h"

#include <QTest>

#include <functional>

using namespace Quillet;
using namespace QuilletTest;

namespace {

enum class Op { Multiply, Add, Difference, Alpha };

void runBlend(Op op, TFastDIB& d, const TFastDIB& a, const TFastDIB& b, int weight)
{
    switch (op) {
    case Op::Multiply:
        BlendMultiply(d, a, b);
        break;
    case Op::Add:
        BlendAddClamped(d, a, b);
        break;
    case Op::Difference:
        BlendDifference(d, a, b);
        break;
    case Op::Alpha:
        BlendAlpha(d, a, b, weight);
        break;
    }
}

/// The per-byte definitions, straight from the arithmetic of each blend.
int expectedByte(Op op, int a, int b, int weight)
{
    switch (op) {
    case Op::Multiply:
        return (a * b) / 256;
    case Op::Add:
        return std::min(255, a + b);
    case Op::Difference:
        return std::abs(a - b);
    case Op::Alpha: {
        const int product = weight * (a - b);
        const int floored = product >= 0 ? product / 256 : -((-product + 255) / 256);
        return (b + floored) & 255;
    }
    }
    return -1;
}

QList<BlendIsa> availableIsas()
{
    QList<BlendIsa> isas;
    for (BlendIsa isa : {BlendIsa::Portable, BlendIsa::Sse2, BlendIsa::Avx2})
        if (blendKernels(isa) != nullptr)
            isas.append(isa);
    return isas;
}

struct IsaGuard {
    BlendIsa saved = activeBlendIsa();
    ~IsaGuard() { setActiveBlendIsa(saved); }
};

} // namespace

Q_DECLARE_METATYPE(Op)

class BlendTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void edgeValues_data();
    void edgeValues();
    void everyPairEveryVariant_data();
    void everyPairEveryVariant();
    void variantsMatchPortable_data();
    void variantsMatchPortable();
    void unsupportedDepthsDoNothing_data();
    void unsupportedDepthsDoNothing();
    void widestVariantIsChosen();
};

void BlendTest::edgeValues_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("expected");
    QTest::newRow("multiply 255 255") << Op::Multiply << 255 << 255 << 0 << 254;
    QTest::newRow("multiply 1 255") << Op::Multiply << 1 << 255 << 0 << 0;
    QTest::newRow("multiply 128 255") << Op::Multiply << 128 << 255 << 0 << 127;
    QTest::newRow("multiply 0 255") << Op::Multiply << 0 << 255 << 0 << 0;
    QTest::newRow("add clamps") << Op::Add << 200 << 100 << 0 << 255;
    QTest::newRow("add below 255") << Op::Add << 100 << 154 << 0 << 254;
    QTest::newRow("difference 10 250") << Op::Difference << 10 << 250 << 0 << 240;
    QTest::newRow("difference 250 10") << Op::Difference << 250 << 10 << 0 << 240;
    QTest::newRow("alpha 255 over 0") << Op::Alpha << 255 << 0 << 255 << 254;
    QTest::newRow("alpha 255, a below b") << Op::Alpha << 3 << 200 << 255 << 3;
    QTest::newRow("alpha 255, a equals b") << Op::Alpha << 77 << 77 << 255 << 77;
    QTest::newRow("alpha 255, a above b") << Op::Alpha << 201 << 200 << 255 << 200;
    QTest::newRow("alpha 0") << Op::Alpha << 255 << 9 << 0 << 9;
    QTest::newRow("alpha floors negatives") << Op::Alpha << 0 << 1 << 1 << 0;
    QTest::newRow("alpha half") << Op::Alpha << 100 << 0 << 128 << 50;
}

void BlendTest::edgeValues()
{
    QFETCH(Op, op);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, weight);
    QFETCH(int, expected);
    IsaGuard guard;
    for (BlendIsa isa : availableIsas()) {
        QVERIFY(setActiveBlendIsa(isa));
        // 40 pixels of 24 bits: long enough for every vector width plus a tail.
        TFastDIB ra, rb;
        QVERIFY(ra.SetSize(40, 2, 24));
        QVERIFY(rb.SetSize(40, 2, 24));
        ra.FillColor(PixelBGR{std::uint8_t(a), std::uint8_t(a), std::uint8_t(a)});
        rb.FillColor(PixelBGR{std::uint8_t(b), std::uint8_t(b), std::uint8_t(b)});
        runBlend(op, ra, ra, rb, weight);
        for (int x = 0; x < 120; ++x)
            QCOMPARE(int(ra.scanLine(1)[x]), expected);
    }
}

void BlendTest::everyPairEveryVariant_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<int>("weight");
    QTest::newRow("multiply") << Op::Multiply << 0;
    QTest::newRow("add") << Op::Add << 0;
    QTest::newRow("difference") << Op::Difference << 0;
    for (int w : {0, 1, 2, 127, 128, 129, 254, 255})
        QTest::addRow("alpha %d", w) << Op::Alpha << w;
}

void BlendTest::everyPairEveryVariant()
{
    QFETCH(Op, op);
    QFETCH(int, weight);
    // One 8-bit raster pair holds all 65536 combinations of a and b.
    TFastDIB a, b;
    QVERIFY(a.SetSize(256, 256, 8));
    QVERIFY(b.SetSize(256, 256, 8));
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            a.scanLine(y)[x] = std::uint8_t(x);
            b.scanLine(y)[x] = std::uint8_t(y);
        }
    }
    IsaGuard guard;
    for (BlendIsa isa : availableIsas()) {
        QVERIFY(setActiveBlendIsa(isa));
        TFastDIB d;
        QVERIFY(d.SetSize(256, 256, 8));
        runBlend(op, d, a, b, weight);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                if (d.scanLine(y)[x] != expectedByte(op, x, y, weight))
                    QFAIL(qPrintable(QStringLiteral("variant %1, a %2, b %3: %4")
                                         .arg(int(isa))
                                         .arg(x)
                                         .arg(y)
                                         .arg(d.scanLine(y)[x])));
    }
}

void BlendTest::variantsMatchPortable_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("weight");
    int seed = 0;
    for (Op op : {Op::Multiply, Op::Add, Op::Difference, Op::Alpha}) {
        for (int bits : {8, 24, 32}) {
            for (int width : {1, 5, 11, 33, 97, 1001}) {
                QTest::addRow("op %d, %d bits, %d wide", int(op), bits, width)
                    << op << bits << width << (seed * 37) % 256;
                ++seed;
            }
        }
    }
}

void BlendTest::variantsMatchPortable()
{
    QFETCH(Op, op);
    QFETCH(int, bits);
    QFETCH(int, width);
    QFETCH(int, weight);
    const int height = 7;
    TFastDIB a, b;
    QVERIFY(a.SetSize(width, height, bits));
    QVERIFY(b.SetSize(width, height, bits));
    fillRandom(a, unsigned(width * 3 + bits));
    fillRandom(b, unsigned(width * 5 + bits + 1));

    IsaGuard guard;
    QVERIFY(setActiveBlendIsa(BlendIsa::Portable));
    TFastDIB reference;
    QVERIFY(reference.SetSize(width, height, bits));
    fillPadding(reference, 0x5A);
    runBlend(op, reference, a, b, weight);
    for (int y = 0; y < height; ++y)
        for (int i = reference.stride() - reference.gap(); i < reference.stride(); ++i)
            QCOMPARE(reference.scanLine(y)[i], std::uint8_t(0x5A));

    for (BlendIsa isa : availableIsas()) {
        QVERIFY(setActiveBlendIsa(isa));
        // The program blends in place: the destination is a itself.
        TFastDIB inPlace;
        QVERIFY(inPlace.SetSize(width, height, bits));
        inPlace.CopyRectFrom(a, 0, 0, width, height, 0, 0);
        fillPadding(inPlace, 0x5A);
        runBlend(op, inPlace, inPlace, b, weight);
        QVERIFY2(sameBytes(inPlace, reference), qPrintable(QString::number(int(isa))));
        TFastDIB intoB;
        QVERIFY(intoB.SetSize(width, height, bits));
        intoB.CopyRectFrom(b, 0, 0, width, height, 0, 0);
        fillPadding(intoB, 0x5A);
        runBlend(op, intoB, a, intoB, weight);
        QVERIFY2(sameBytes(intoB, reference), qPrintable(QString::number(int(isa))));
    }
}

void BlendTest::unsupportedDepthsDoNothing_data()
{
    QTest::addColumn<int>("destinationBits");
    QTest::addColumn<int>("aBits");
    QTest::addColumn<int>("bBits");
    QTest::newRow("16 bits") << 16 << 16 << 16;
    QTest::newRow("4 bits") << 4 << 4 << 4;
    QTest::newRow("a differs") << 24 << 32 << 24;
    QTest::newRow("b differs") << 24 << 24 << 8;
    QTest::newRow("destination differs") << 32 << 24 << 24;
}

void BlendTest::unsupportedDepthsDoNothing()
{
    QFETCH(int, destinationBits);
    QFETCH(int, aBits);
    QFETCH(int, bBits);
    TFastDIB d, a, b;
    QVERIFY(d.SetSize(9, 3, destinationBits));
    QVERIFY(a.SetSize(9, 3, aBits));
    QVERIFY(b.SetSize(9, 3, bBits));
    fillRandom(d, 1);
    fillRandom(a, 2);
    fillRandom(b, 3);
    TFastDIB before;
    QVERIFY(before.SetSize(9, 3, destinationBits));
    std::memcpy(before.bits(), d.bits(), std::size_t(d.stride()) * 3);
    for (Op op : {Op::Multiply, Op::Add, Op::Difference, Op::Alpha})
        runBlend(op, d, a, b, 100);
    QVERIFY(sameBytes(d, before));
}

void BlendTest::widestVariantIsChosen()
{
    const BlendIsa widest = blendKernels(BlendIsa::Avx2) != nullptr   ? BlendIsa::Avx2
                            : blendKernels(BlendIsa::Sse2) != nullptr ? BlendIsa::Sse2
                                                                      : BlendIsa::Portable;
    QCOMPARE(activeBlendIsa(), widest);
}

QTEST_APPLESS_MAIN(BlendTest)
#include "BlendTest.moc"
