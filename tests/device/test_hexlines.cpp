#include "hexlines.h"

#include <QBuffer>
#include <QTemporaryFile>
#include <QtTest>

#include <vector>

namespace
{

// Filler of the destination buffer: a byte the decoder must never leave
// behind where it should have written, nor write where it should not.
constexpr char untouched = char(0xEE);

// `capacity` filler bytes with `bytes` laid over them from `offset` on.
QByteArray buffer(int capacity, int offset = 0, const QByteArray& bytes = QByteArray())
{
    QByteArray result(capacity, untouched);
    result.replace(offset, bytes.size(), bytes);
    return result;
}

QByteArray writtenText(const QByteArray& data, int bytesPerLine, quint64 length)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    writeHexLines(out, reinterpret_cast<const quint8*>(data.constData()), bytesPerLine, length);
    return out.data();
}

} // namespace

class TestHexLines : public QObject
{
    Q_OBJECT

private slots:
    void readLine_data();
    void readLine();
    void readWholeFileStopsAtZero();
    void overflowStaysReportedForTheRestOfTheFile();
    void overflowWithoutFlagStillRefuses();
    void writeLines_data();
    void writeLines();
    void roundTrip();
};

void TestHexLines::readLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<int>("startCount");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<qint64>("expectedPosition");
    QTest::addColumn<int>("expectedCount");
    QTest::addColumn<QByteArray>("expectedBuffer");
    QTest::addColumn<bool>("expectedOverflow");

    const QByteArray ab("\x0A\x1B", 2);

    QTest::newRow("end of file") << QByteArray("0A1B\r\n") << qint64(6) << 0 << 8 << qint64(0) << 0
                                 << buffer(8) << false;
    QTest::newRow("empty file") << QByteArray() << qint64(0) << 0 << 8 << qint64(0) << 0
                                << buffer(8) << false;
    QTest::newRow("colon line") << QByteArray(":0A1B\r\n") << qint64(0) << 0 << 8 << qint64(7) << 2
                                << buffer(8, 0, ab) << false;
    QTest::newRow("lower case") << QByteArray(":0a1b\r\n") << qint64(0) << 0 << 8 << qint64(7) << 2
                                << buffer(8, 0, ab) << false;
    QTest::newRow("empty line") << QByteArray("\r\n0A1B\r\n") << qint64(0) << 0 << 8 << qint64(2)
                                << 0 << buffer(8) << false;
    QTest::newRow("second line") << QByteArray("FF\r\n0A1B\r\n") << qint64(4) << 0 << 8
                                 << qint64(10) << 2 << buffer(8, 0, ab) << false;
    QTest::newRow("odd digit count") << QByteArray("ABC\r\n") << qint64(0) << 0 << 8 << qint64(5)
                                     << 2 << buffer(8, 0, QByteArray("\x0A\xBC", 2)) << false;
    QTest::newRow("blanks and junk skipped")
        << QByteArray("0A 1B\tzz2C\r\n") << qint64(0) << 0 << 8 << qint64(12) << 3
        << buffer(8, 0, QByteArray("\x0A\x1B\x2C", 3)) << false;
    QTest::newRow("colons anywhere") << QByteArray("0:A:1B:\n") << qint64(0) << 0 << 8 << qint64(8)
                                     << 2 << buffer(8, 0, ab) << false;
    QTest::newRow("NUL ends the text")
        << QByteArray("0A\0"
                      "1B\r\n",
                      7)
        << qint64(0) << 0 << 8 << qint64(7) << 1 << buffer(8, 0, QByteArray("\x0A", 1)) << false;
    QTest::newRow("non-ASCII skipped")
        << QByteArray("\xD0\x96"
                      "0A\r\n")
        << qint64(0) << 0 << 8 << qint64(6) << 1 << buffer(8, 0, QByteArray("\x0A", 1)) << false;
    QTest::newRow("no digits at all")
        << QByteArray("xyz\r\n") << qint64(0) << 0 << 8 << qint64(5) << 0 << buffer(8) << false;
    QTest::newRow("last line without line end")
        << QByteArray("0A1B") << qint64(0) << 0 << 8 << qint64(4) << 2 << buffer(8, 0, ab) << false;
    QTest::newRow("Intel-HEX record")
        << QByteArray(":020000040804EE\r\n") << qint64(0) << 0 << 8 << qint64(17) << 7
        << buffer(8, 0, QByteArray("\x02\x00\x00\x04\x08\x04\xEE", 7)) << false;
    QTest::newRow("appends after count") << QByteArray("0A1B\r\n") << qint64(0) << 3 << 8
                                         << qint64(6) << 5 << buffer(8, 3, ab) << false;
    QTest::newRow("exact fit") << QByteArray("0A1B\r\n") << qint64(0) << 6 << 8 << qint64(6) << 8
                               << buffer(8, 6, ab) << false;
    QTest::newRow("overflow by one byte")
        << QByteArray("0A1B\r\n") << qint64(0) << 7 << 8 << qint64(6) << 7 << buffer(8) << true;
    QTest::newRow("overflow of an empty buffer")
        << QByteArray("0A1B2C\r\n") << qint64(0) << 0 << 2 << qint64(8) << 0 << buffer(2) << true;
    QTest::newRow("count already past capacity")
        << QByteArray("0A\r\n") << qint64(0) << 9 << 8 << qint64(4) << 9 << buffer(8) << true;
    QTest::newRow("empty line into a full buffer")
        << QByteArray("\r\n") << qint64(0) << 8 << 8 << qint64(2) << 8 << buffer(8) << false;
}

void TestHexLines::readLine()
{
    QFETCH(QByteArray, text);
    QFETCH(qint64, position);
    QFETCH(int, startCount);
    QFETCH(int, capacity);
    QFETCH(qint64, expectedPosition);
    QFETCH(int, expectedCount);
    QFETCH(QByteArray, expectedBuffer);
    QFETCH(bool, expectedOverflow);

    QTemporaryFile file;
    QVERIFY(file.open());
    QCOMPARE(file.write(text), qint64(text.size()));
    file.flush();

    // Exactly `capacity` bytes on the heap, so that a write past the end is
    // caught by the address sanitizer as well as by the comparison below.
    std::vector<quint8> destination(static_cast<size_t>(capacity), quint8(untouched));
    quint64 byteCount = quint64(startCount);
    bool overflow = false;

    const qint64 next =
        readHexLine(file, destination.data(), byteCount, quint64(capacity), position, &overflow);

    QCOMPARE(next, expectedPosition);
    QCOMPARE(byteCount, quint64(expectedCount));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(destination.data()), capacity),
             expectedBuffer);
    QCOMPARE(overflow, expectedOverflow);
}

void TestHexLines::readWholeFileStopsAtZero()
{
    QBuffer file;
    file.setData("0102\r\n\r\n:0304\r\n05");
    QVERIFY(file.open(QIODevice::ReadOnly));

    quint8 destination[8] = {};
    quint64 byteCount = 0;
    bool overflow = false;
    QList<qint64> positions;
    qint64 position = 0;
    do {
        position =
            readHexLine(file, destination, byteCount, sizeof destination, position, &overflow);
        positions.append(position);
    } while (position != 0 && positions.size() < 10);

    QCOMPARE(positions, (QList<qint64>{6, 8, 15, 17, 0}));
    QCOMPARE(byteCount, quint64(5));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(destination), 5),
             QByteArray("\x01\x02\x03\x04\x05", 5));
    QVERIFY(!overflow);
}

void TestHexLines::overflowStaysReportedForTheRestOfTheFile()
{
    // A file one line longer than the buffer: the reader goes on to the end,
    // keeps what fitted and learns afterwards that the file was too long.
    QBuffer file;
    file.setData("0102\r\n0304\r\n0506\r\n");
    QVERIFY(file.open(QIODevice::ReadOnly));

    std::vector<quint8> destination(3, 0);
    quint64 byteCount = 0;
    bool overflow = false;
    qint64 position = 0;
    int lines = 0;
    while ((position = readHexLine(file, destination.data(), byteCount, destination.size(),
                                   position, &overflow)) != 0 &&
           lines < 10)
        ++lines;

    QCOMPARE(lines, 3);
    QVERIFY(overflow);
    QCOMPARE(byteCount, quint64(2));
    QCOMPARE(destination, (std::vector<quint8>{1, 2, 0}));
}

void TestHexLines::overflowWithoutFlagStillRefuses()
{
    QBuffer file;
    file.setData("0102\r\n");
    QVERIFY(file.open(QIODevice::ReadOnly));

    std::vector<quint8> destination(1, 0);
    quint64 byteCount = 0;
    QCOMPARE(readHexLine(file, destination.data(), byteCount, destination.size(), 0), qint64(6));
    QCOMPARE(byteCount, quint64(0));
    QCOMPARE(destination.front(), quint8(0));
}

void TestHexLines::writeLines_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("bytesPerLine");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray five("\x01\x02\x03\x04\x05", 5);
    QByteArray forty;
    for (int i = 0; i < 40; ++i)
        forty.append(char(i));

    QTest::newRow("five bytes, two per line") << five << 2 << QByteArray("0102\r\n0304\r\n05\r\n");
    QTest::newRow("exactly one line") << five << 5 << QByteArray("0102030405\r\n");
    QTest::newRow("line wider than data") << five << 20 << QByteArray("0102030405\r\n");
    QTest::newRow("one byte per line") << five.left(2) << 1 << QByteArray("01\r\n02\r\n");
    QTest::newRow("upper-case digits")
        << QByteArray("\xAB\xCD\xEF\x00", 4) << 20 << QByteArray("ABCDEF00\r\n");
    QTest::newRow("two full lines of twenty")
        << forty << 20
        << QByteArray("000102030405060708090A0B0C0D0E0F10111213\r\n"
                      "1415161718191A1B1C1D1E1F2021222324252627\r\n");
    QTest::newRow("no data") << QByteArray() << 2 << QByteArray();
    QTest::newRow("zero width") << five << 0 << QByteArray();
    QTest::newRow("negative width") << five << -1 << QByteArray();
}

void TestHexLines::writeLines()
{
    QFETCH(QByteArray, data);
    QFETCH(int, bytesPerLine);
    QFETCH(QByteArray, expected);

    QCOMPARE(writtenText(data, bytesPerLine, quint64(data.size())), expected);
}

void TestHexLines::roundTrip()
{
    QByteArray data;
    for (int i = 0; i < 256; ++i)
        data.append(char(255 - i));

    QTemporaryFile file;
    QVERIFY(file.open());
    writeHexLines(file, reinterpret_cast<const quint8*>(data.constData()), 20,
                  quint64(data.size()));
    QCOMPARE(file.size(), qint64(2 * 256 + 2 * 13));

    std::vector<quint8> back(256, 0);
    quint64 byteCount = 0;
    bool overflow = false;
    qint64 position = 0;
    while ((position =
                readHexLine(file, back.data(), byteCount, back.size(), position, &overflow)) != 0) {
    }
    QVERIFY(!overflow);
    QCOMPARE(byteCount, quint64(256));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(back.data()), 256), data);
}

QTEST_APPLESS_MAIN(TestHexLines)
#include "test_hexlines.moc"
