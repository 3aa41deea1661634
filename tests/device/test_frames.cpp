// Frame-level checks of the reply dispatcher and the CRC, without a line.

#include "command.h"
#include "commandstate.h"

#include <QtTest>

namespace
{

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// The reply with its CRC appended, as it would come off the line.
QByteArray framed(const QByteArray& body)
{
    QByteArray f = body;
    f.resize(body.size() + 2);
    crc16(reinterpret_cast<quint8*>(f.data()), body.size());
    return f;
}

TransactionResult dispatch(const QByteArray& body, quint16 requested, quint16 count,
                           int requestFunction = -1)
{
    QByteArray f = framed(body);
    // By default the request is the one this reply answers (6 answers a 16).
    if (requestFunction < 0) {
        requestFunction = body.size() > 1 ? quint8(body[1]) & 0x7F : 0;
        if (requestFunction == 6)
            requestFunction = 16;
    }
    return command.dispatchReply(reinterpret_cast<const quint8*>(f.constData()), f.size(),
                                 requested, count, quint8(requestFunction));
}

void resetImage()
{
    clearImage();
    command.registerMap = ExtendedMap;
    command.modelCode = ModelNone;
}

} // namespace

class TestFrames : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetImage(); }

    void crcVectors_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("crc");
        QTest::newRow("check string") << QByteArray("123456789") << hex("374b");
        QTest::newRow("read request") << hex("010300000001") << hex("840a");
        QTest::newRow("read ten") << hex("01030000000a") << hex("c5cd");
        QTest::newRow("device page commit")
            << hex("ff10a2400001020000") << framed(hex("ff10a2400001020000")).right(2);
        QTest::newRow("nothing") << QByteArray() << hex("ffff");
    }
    void crcVectors()
    {
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, crc);
        QByteArray frame = data;
        frame.append(2, '\0');
        crc16(reinterpret_cast<quint8*>(frame.data()), data.size());
        QCOMPARE(frame.right(2), crc);
        QVERIFY(crcMatches(reinterpret_cast<const quint8*>(frame.constData()), frame.size()) ||
                data.isEmpty());
    }

    void crcRejectsDamage()
    {
        QByteArray f = framed(hex("ff0302000a"));
        QVERIFY(crcMatches(reinterpret_cast<const quint8*>(f.constData()), f.size()));
        f[3] = char(f[3] ^ 0x01);
        QVERIFY(!crcMatches(reinterpret_cast<const quint8*>(f.constData()), f.size()));
        QVERIFY(!crcMatches(reinterpret_cast<const quint8*>(f.constData()), 1));
    }

    void successRule()
    {
        QVERIFY(resultOk(ResultOk));
        QVERIFY(!resultOk(ResultOk | ResultNotSent)); // the value 3 of some block ends
        QVERIFY(resultsOk(ResultOk | ResultOk));
        QVERIFY(!resultsOk(ResultOk | ResultCrcError));
        QVERIFY(!resultsOk(ResultOk | ResultMismatch));
    }

    void dispatcher_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("result");

        // Exceptions to register requests: only codes 2 and 3 are failures.
        QTest::newRow("0x83 code 2")
            << 0 << hex("ff8302") << 0x0102 << 1 << int(ResultIllegalAddress);
        QTest::newRow("0x83 code 3")
            << 0 << hex("ff8303") << 0x0102 << 1 << int(ResultIllegalValue);
        QTest::newRow("0x83 code 1") << 0 << hex("ff8301") << 0x0102 << 1 << int(ResultOk);
        QTest::newRow("0x84 code 4") << 0 << hex("ff8404") << 0x0102 << 1 << int(ResultOk);
        QTest::newRow("0x90 code 2")
            << 0 << hex("ff9002") << 0x0102 << 1 << int(ResultIllegalAddress);
        QTest::newRow("0x90 code 4") << 0 << hex("ff9004") << 0x0102 << 1 << int(ResultOk);
        QTest::newRow("0x94 code 3") << 0 << hex("ff9403") << 0 << 0 << int(ResultIllegalValue);
        // A log block, a range search or a firmware block refused with any code is a failure.
        QTest::newRow("0x8C code 4") << 0 << hex("ff8c04") << 0 << 24 << int(ResultMismatch);
        QTest::newRow("0x8C code 1") << 0 << hex("ff8c01") << 0 << 24 << int(ResultMismatch);
        QTest::newRow("0x8C code 2") << 0 << hex("ff8c02") << 0 << 24 << int(ResultIllegalAddress);
        QTest::newRow("0x8E code 4") << 0 << hex("ff8e04") << 0x1234 << 0 << int(ResultMismatch);
        QTest::newRow("0x8F code 6") << 0 << hex("ff8f06") << 0x1234 << 0 << int(ResultMismatch);
        QTest::newRow("0x94 code 4") << 0 << hex("ff9404") << 0 << 0 << int(ResultMismatch);
        QTest::newRow("exception without code")
            << 0 << hex("ff83") << 0 << 1 << int(ResultMismatch);

        // Write echoes: the low 12 bits of the register decide, the page does not.
        QTest::newRow("16 echo") << 0 << hex("ff1000fe0004") << 0x0FE << 4 << int(ResultOk);
        QTest::newRow("16 echo other page")
            << 0 << hex("ff10a0fe0004") << 0x0FE << 4 << int(ResultOk);
        QTest::newRow("16 echo other register")
            << 0 << hex("ff1000ff0004") << 0x0FE << 4 << int(ResultMismatch);
        QTest::newRow("6 echo") << 0 << hex("ff06a2400000") << 0x240 << 1 << int(ResultOk);
        QTest::newRow("16 echo too short") << 0 << hex("ff10") << 0x0FE << 4 << int(ResultMismatch);

        // Data-block echoes: bytes 4-5 against the low half of the address.
        QTest::newRow("14 echo") << 0 << hex("ff0e00081234") << 0x1234 << 0 << int(ResultOk);
        QTest::newRow("15 echo, high half differs")
            << 0 << hex("ff0f99991234") << 0x1234 << 0 << int(ResultOk);
        QTest::newRow("15 echo, low half differs")
            << 0 << hex("ff0f00081235") << 0x1234 << 0 << int(ResultMismatch);

        QTest::newRow("function 20") << 0 << hex("ff140100000009000000") << 0 << 0 << int(ResultOk);
        QTest::newRow("function 20 short")
            << 0 << hex("ff1401000000") << 0 << 0 << int(ResultMismatch);
        QTest::newRow("unknown function 5")
            << 0 << hex("ff0500010000") << 0 << 0 << int(ResultMismatch);

        // Function 3/4: only a reply of exactly the size asked for.
        QTest::newRow("3 longer than its byte count")
            << 0 << hex("ff0304000100020003") << 0x1102 << 2 << int(ResultMismatch);
        QTest::newRow("3 fewer registers than asked")
            << 0 << hex("ff03020001") << 0x0102 << 2 << int(ResultMismatch);
        QTest::newRow("3 more registers than asked")
            << 0 << hex("ff030400010002") << 0x0102 << 1 << int(ResultMismatch);
        QTest::newRow("3 byte count disagrees with data")
            << 0 << hex("ff030400010002aa") << 0x0102 << 2 << int(ResultMismatch);
        QTest::newRow("4 odd byte count")
            << 0 << hex("ff040300010002") << 0x0010 << 1 << int(ResultMismatch);
    }
    void dispatcher()
    {
        QFETCH(int, model);
        QFETCH(QByteArray, body);
        QFETCH(int, requested);
        QFETCH(int, count);
        QFETCH(int, result);
        command.modelCode = quint16(model);
        QCOMPARE(int(dispatch(body, quint16(requested), quint16(count))), result);
    }

    // Every (request, reply) pair with a good CRC: only a reply of the function asked
    // for (6 or 16 for a 16, 14 or 15 for a 14 or 15) or its exception is looked at;
    // anything else is refused and changes nothing.
    void requestReplyPairs_data()
    {
        QTest::addColumn<int>("request");
        QTest::addColumn<int>("reply");
        QTest::addColumn<bool>("answers");
        const int functions[] = {3, 4, 6, 12, 14, 15, 16, 20};
        const int requests[] = {3, 4, 12, 14, 15, 16, 20};
        for (int rq : requests) {
            for (int rp : functions) {
                const bool same = rp == rq || (rq == 16 && rp == 6) ||
                                  ((rq == 14 || rq == 15) && (rp == 14 || rp == 15));
                QTest::newRow(qPrintable(QStringLiteral("%1 answered by %2").arg(rq).arg(rp)))
                    << rq << rp << same;
                const bool exceptionSame = (rp | 0x80) == (rq | 0x80);
                QTest::newRow(
                    qPrintable(QStringLiteral("%1 answered by 0x%2").arg(rq).arg(rp | 0x80, 0, 16)))
                    << rq << (rp | 0x80) << exceptionSame;
            }
        }
    }
    void requestReplyPairs()
    {
        QFETCH(int, request);
        QFETCH(int, reply);
        QFETCH(bool, answers);
        QCOMPARE(replyAnswers(quint8(request), quint8(reply)), answers);
        if (answers)
            return;
        // A reply that would be accepted if its function had been asked for.
        command.modelCode = ModelT6;
        command.registerMap = ClassicMap;
        memset(archiveBlock, 0xEE, sizeof archiveBlock);
        QByteArray body = hex("ff");
        body.append(char(reply));
        if (reply == 3 || reply == 4)
            body.append(char(2)).append(hex("1234"));
        else if (reply == 12)
            body.append(char(1)).append(QByteArray(120, '\x11'));
        else if (reply == 20)
            body.append(hex("0100000002000000"));
        else if (reply & 0x80)
            body.append(char(1));
        else
            body.append(hex("010300010203"));
        const QByteArray before = imageSnapshot();
        QCOMPARE(int(dispatch(body, 0x0103, 1, request)), int(ResultMismatch));
        QVERIFY(imageSnapshot() == before);
        QCOMPARE(archiveBlock[0], quint8(0xEE));
    }

    // The two late replies that used to be stored: a register reply to a write
    // and to a log request.
    void lateRegisterReplies()
    {
        command.modelCode = ModelT6M4;
        command.registerMap = ClassicMap;
        QByteArray reply = hex("ff036e") + QByteArray(110, '\0');
        const QByteArray before = imageSnapshot();
        QCOMPARE(int(dispatch(reply, 256, 55, 16)), int(ResultMismatch));
        QVERIFY(imageSnapshot() == before);

        command.modelCode = ModelT6;
        memset(archiveBlock, 0xEE, sizeof archiveBlock);
        reply = hex("ff0330") + QByteArray(48, '\0');
        QCOMPARE(int(dispatch(reply, 0x2100, 24, 12)), int(ResultMismatch));
        QVERIFY(imageSnapshot() == before);
        QCOMPARE(archiveBlock[0], quint8(0xEE));
    }

    // A reply whose registers run into one the block does not hold is refused
    // whole: the registers before it are not stored either.
    void halfParsedReplyLeavesImage()
    {
        command.modelCode = ModelT8M;
        command.registerMap = ExtendedMap;
        const QByteArray before = imageSnapshot();
        QVERIFY(dispatch(hex("ff0306001100020035"), 0x0300, 3) != ResultOk);
        QVERIFY(imageSnapshot() == before);
    }

    void exceptionLeavesImage()
    {
        command.extendedChannels[1].format = 0x1234;
        QCOMPARE(int(dispatch(hex("ff8301"), 0x1103, 1)), int(ResultOk));
        QCOMPARE(command.extendedChannels[1].format, quint16(0x1234));
    }

    void sizedReplyIsParsed()
    {
        // (3, ch 1, 259, 1): format of channel record 1.
        QCOMPARE(int(dispatch(hex("ff03020035"), 0x1103, 1)), int(ResultOk));
        QCOMPARE(command.extendedChannels[1].format, quint16(0x0035));
        // A late reply of another size changes nothing.
        QCOMPARE(int(dispatch(hex("ff030400990098"), 0x1103, 1)), int(ResultMismatch));
        QCOMPARE(command.extendedChannels[1].format, quint16(0x0035));
    }

    void rangeReplyIsLittleEndian()
    {
        archiveRangeFirst = archiveRangeLast = 0;
        QCOMPARE(int(dispatch(hex("ff140100000002010000"), 0, 0)), int(ResultOk));
        QCOMPARE(archiveRangeFirst, quint32(1));
        QCOMPARE(archiveRangeLast, quint32(0x0102));
    }

    void archiveRecords_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("k");         // records announced
        QTest::addColumn<int>("records");   // records actually in the reply
        QTest::addColumn<int>("requested"); // records asked for
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("copied");
        QTest::newRow("T2 two records") << int(ModelT2) << 2 << 2 << 2 << int(ResultOk) << true;
        QTest::newRow("T6 24 records") << int(ModelT6) << 24 << 24 << 24 << int(ResultOk) << true;
        QTest::newRow("no records") << int(ModelT2) << 0 << 0 << 0 << int(ResultOk) << false;
        QTest::newRow("26 announced")
            << int(ModelT2) << 26 << 26 << 26 << int(ResultMismatch) << false;
        QTest::newRow("fewer than asked")
            << int(ModelT2) << 2 << 2 << 3 << int(ResultMismatch) << false;
        QTest::newRow("count without the bytes")
            << int(ModelT2) << 3 << 2 << 3 << int(ResultMismatch) << false;
        QTest::newRow("T6M 25 do not fit the block")
            << int(ModelT6M) << 25 << 25 << 25 << int(ResultMismatch) << false;
        QTest::newRow("T6M 17 fit") << int(ModelT6M) << 17 << 17 << 17 << int(ResultOk) << true;
        QTest::newRow("T8M copies nothing")
            << int(ModelT8M) << 25 << 25 << 25 << int(ResultOk) << false;
    }
    void archiveRecords()
    {
        QFETCH(int, model);
        QFETCH(int, k);
        QFETCH(int, records);
        QFETCH(int, requested);
        QFETCH(int, result);
        QFETCH(bool, copied);
        command.modelCode = quint16(model);
        const int size = model == ModelT8M ? 48 : command.archiveRecordSize();
        memset(archiveBlock, 0xEE, sizeof archiveBlock);
        QByteArray body = hex("ff0c");
        body.append(char(k));
        for (int i = 0; i < records * size; ++i)
            body.append(char(i % 251));
        QCOMPARE(int(dispatch(body, 0, quint16(requested))), result);
        if (copied) {
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(archiveBlock), records * size),
                     body.mid(3));
            if (records * size < ArchiveBlockSize)
                QCOMPARE(archiveBlock[records * size], quint8(0xEE));
        } else {
            QCOMPARE(archiveBlock[0], quint8(0xEE));
        }
    }
};

QTEST_APPLESS_MAIN(TestFrames)
#include "test_frames.moc"
