// The simulator seen through a plain QSerialPort, the way the program sees a detector: the
// handshake, dropped fragments and bad frames, the detector's own functions and every fault.

#include "simdetector.h"

#include <QSerialPort>
#include <QtTest>

#include <atomic>
#include <initializer_list>

Q_DECLARE_METATYPE(SimFault)

namespace
{

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int v : list)
        b.append(char(v));
    return b;
}

struct Chunk {
    QByteArray data;
    qint64 atUs;
};

// How long the line must stay quiet after the last byte the simulator meant to send, to show
// that nothing more comes. Well above the simulator's silence gap, well below anything that
// would slow the suite.
constexpr int QuietMs = 25;
// The upper bound for the simulator to take a request in and for its reply to arrive. Only a
// broken simulator reaches it; a loaded machine may be slow, not that slow.
constexpr int BoundMs = 10000;

// The test's end of the line. An exchange does not guess how long the simulator takes: it
// waits until the simulator has taken the request in (its log), then for every byte the
// simulator decided to send for it, whenever those come, then for a short quiet.
class Line
{
public:
    bool open(SimDetector& sim)
    {
        m_sim = &sim;
        m_port.setPortName(sim.portPath());
        m_port.setBaudRate(QSerialPort::Baud115200);
        m_port.setDataBits(QSerialPort::Data8);
        m_port.setParity(QSerialPort::NoParity);
        m_port.setStopBits(QSerialPort::OneStop);
        m_port.setFlowControl(QSerialPort::NoFlowControl);
        return m_port.open(QIODevice::ReadWrite);
    }
    void close() { m_port.close(); }

    void send(const QByteArray& data)
    {
        m_port.clear();
        m_sentUs = SimDetector::nowUs();
        m_port.write(data);
        m_port.waitForBytesWritten(100);
    }

    // At least `bytes` bytes (at most BoundMs for them), then everything that arrives until
    // the line is quiet for quietMs, chunk by chunk.
    QVector<Chunk> receive(int bytes, int quietMs = QuietMs)
    {
        QVector<Chunk> chunks;
        QElapsedTimer clock;
        clock.start();
        int got = 0;
        for (;;) {
            const qint64 left = BoundMs - clock.elapsed();
            const int wait = got < bytes ? int(qMax<qint64>(left, 0)) : quietMs;
            if (!m_port.waitForReadyRead(wait))
                break;
            chunks.append(Chunk{m_port.readAll(), SimDetector::nowUs()});
            got += chunks.last().data.size();
        }
        return chunks;
    }

    // Sends `data` and waits until the simulator has logged the requests in it (as many as it
    // splits it into); returns the bytes it decided to send for them, all together.
    int sendAndAwait(const QByteArray& data)
    {
        const int before = m_sim->requests().size();
        send(data);
        const int entries = isHandshake(data) ? 1 : SimDetector::splitMergedChunk(data).size();
        if (!m_sim->waitForRequests(before + entries, BoundMs))
            return 0;
        int promised = 0;
        const QVector<SimRequest> log = m_sim->requests();
        for (int i = before; i < log.size(); ++i)
            promised += log[i].reply.size();
        return promised;
    }

    QByteArray exchange(const QByteArray& request)
    {
        return joined(receive(sendAndAwait(request)));
    }

    static QByteArray joined(const QVector<Chunk>& chunks)
    {
        QByteArray all;
        for (const Chunk& c : chunks)
            all.append(c.data);
        return all;
    }

    qint64 sentUs() const { return m_sentUs; }

private:
    static bool isHandshake(const QByteArray& data) { return data == "ACTIV" || data == "DEACTIV"; }

    SimDetector* m_sim = nullptr;
    QSerialPort m_port;
    qint64 m_sentUs = 0;
};

QByteArray withCrc(std::initializer_list<int> list)
{
    return SimDetector::withCrc(bytes(list));
}

} // namespace

class TstSimDetector : public QObject
{
    Q_OBJECT

private slots:
    void crc_data();
    void crc();
    void valueHelpers();
    void profileMap_data();
    void profileMap();

    void handshake_data();
    void handshake();
    void deactivIsRecordedNotAnswered();
    void preambleIsDropped();
    void framesRunTogetherAreSplit();
    void badCrcIsDropped();
    void repeatedFirmwareBlockIsOneBlock();
    void frames_data();
    void frames();
    void writeStoresOnWirePage();
    void handlers();
    void faults_data();
    void faults();
    void faultAttemptsAndMatcher();
    void portCanBeReopened();
    void unsolicitedBytes();

private:
    bool startSim(SimDetector& sim, Line& line);
};

bool TstSimDetector::startSim(SimDetector& sim, Line& line)
{
    if (!sim.start()) {
        qWarning("simulator: %s", qPrintable(sim.errorString()));
        return false;
    }
    return line.open(sim);
}

// ---- without the line -------------------------------------------------------------------

void TstSimDetector::crc_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("crc");
    QTest::newRow("check string") << QByteArray("123456789") << 0x4B37;
    QTest::newRow("read 10 holding") << bytes({0x01, 0x03, 0x00, 0x00, 0x00, 0x0A}) << 0xCDC5;
    QTest::newRow("empty") << QByteArray() << 0xFFFF;
}

void TstSimDetector::crc()
{
    QFETCH(QByteArray, data);
    QFETCH(int, crc);
    QCOMPARE(int(SimDetector::crc16(data)), crc);
    const QByteArray frame = SimDetector::withCrc(data);
    QCOMPARE(frame.size(), data.size() + 2);
    QCOMPARE(quint8(frame[frame.size() - 2]), quint8(crc & 0xFF)); // low byte first
    QCOMPARE(quint8(frame[frame.size() - 1]), quint8(crc >> 8));
    QVERIFY(SimDetector::crcMatches(frame));
    QByteArray damaged = frame;
    damaged[0] = char(damaged[0] ^ 0x01);
    QVERIFY(!SimDetector::crcMatches(damaged));
}

void TstSimDetector::valueHelpers()
{
    SimDetector sim;
    // An f32 travels low half first: 12.5 is 0x41480000.
    sim.setHoldingFloat(0, 264, 12.5f);
    QCOMPARE(sim.holding(0, 264), quint16(0));
    QCOMPARE(sim.holding(0, 265), quint16(16712));
    QCOMPARE(sim.holdingFloat(0, 264), 12.5f);

    sim.setHolding32(10, 529, 0x00012345u);
    QCOMPARE(sim.holding(10, 529), quint16(0x2345));
    QCOMPARE(sim.holding(10, 530), quint16(0x0001));
    QCOMPARE(sim.holding32(10, 529), 0x00012345u);

    // The program's device page 170 is page 10 on the wire.
    QCOMPARE(sim.holding32(170, 529), 0x00012345u);

    sim.setInputFloat(3, 45, -1.25f);
    QCOMPARE(sim.inputFloat(3, 45), -1.25f);
    QCOMPARE(sim.input32(3, 45), 0xBFA00000u);
    QCOMPARE(sim.holding32(3, 45), 0u); // input and holding are separate stores
    sim.setInput32(3, 51, 0xCAFEF00Du);
    QCOMPARE(sim.input(3, 51), quint16(0xF00D));

    // Text: the earlier character in the low byte, zero padded.
    sim.setHoldingText(2, 273, "CH4", 5);
    QCOMPARE(sim.holding(2, 273), quint16('C' | ('H' << 8)));
    QCOMPARE(sim.holding(2, 274), quint16('4'));
    QCOMPARE(sim.holding(2, 277), quint16(0));
    QCOMPARE(sim.holdingText(2, 273, 5), QByteArray("CH4"));
    // A text that fills its registers has no terminator, and a longer one is cut.
    sim.setHoldingText(2, 400, "ABCDEFGHIJKLMNOPQ", 7);
    QCOMPARE(sim.holdingText(2, 400, 7), QByteArray("ABCDEFGHIJKLMN"));
    QCOMPARE(sim.holding(2, 407), quint16(0));
}

void TstSimDetector::profileMap_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("input");
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("reg");
    QTest::addColumn<bool>("mapped");

    const int c = int(SimDetector::Layout::Classic);
    const int e = int(SimDetector::Layout::Extended);
    const int o = int(SimDetector::Layout::Open);
    struct Row {
        const char* name;
        int layout;
        int model;
        bool input;
        bool write;
        int reg;
        bool mapped;
    };
    const Row rows[] = {
        // Classic holding registers.
        {"C H read 254 (write only)", c, 404, false, false, 254, false},
        {"C H write 254", c, 404, false, true, 254, true},
        {"C H read 256", c, 404, false, false, 256, true},
        {"C H read 337", c, 404, false, false, 337, true},
        {"C H read 338 end", c, 404, false, false, 338, false},
        {"C H read 352", c, 404, false, false, 352, true},
        {"C H read 372 end", c, 404, false, false, 372, false},
        {"C H read 514", c, 404, false, false, 514, true},
        {"C H read 513 end", c, 404, false, false, 513, false},
        {"C H read 544", c, 404, false, false, 544, true},
        {"C H read 547", c, 404, false, false, 547, true},
        {"C H read 548 end", c, 404, false, false, 548, false},
        {"C H read 560 command", c, 404, false, false, 560, false},
        {"C H write 563", c, 404, false, true, 563, true},
        {"C H write 564 end", c, 404, false, true, 564, false},
        {"C H read 1", c, 404, false, false, 1, true},
        {"C H read 5", c, 404, false, false, 5, true},
        {"C H read 6 end", c, 404, false, false, 6, false},
        {"C H read 16 command", c, 404, false, false, 16, false},
        {"C H write 18", c, 404, false, true, 18, true},
        {"C H read 533", c, 404, false, false, 533, true},
        {"C H read 576 commit", c, 404, false, false, 576, false},
        {"C H write 576 commit", c, 404, false, true, 576, true},
        {"C H write 577 end", c, 404, false, true, 577, false},
        {"C H write 598", c, 404, false, true, 598, true},
        {"C H read 1792 language", c, 404, false, false, 1792, false},
        {"C H write 1792 language", c, 404, false, true, 1792, true},
        {"C H write 2048 power off", c, 404, false, true, 2048, true},
        {"C H write 400 none", c, 404, false, true, 400, false},
        // Extended holding registers.
        {"E H read 254", e, 102, false, false, 254, true},
        {"E H read 312", e, 102, false, false, 312, true},
        {"E H read 313 end", e, 102, false, false, 313, false},
        {"E H read 395", e, 102, false, false, 395, true},
        {"E H write 396 end", e, 102, false, true, 396, false},
        {"E H read 406", e, 102, false, false, 406, true},
        {"E H read 407 end", e, 102, false, false, 407, false},
        {"E H read 552", e, 102, false, false, 552, true},
        {"E H read 553 end", e, 102, false, false, 553, false},
        {"E H read 519", e, 102, false, false, 519, true},
        {"E H read 520 end", e, 102, false, false, 520, false},
        {"E H read 769", e, 102, false, false, 769, true},
        {"E H read 770 end", e, 102, false, false, 770, false},
        {"E H read 786", e, 102, false, false, 786, true},
        {"E H read 1792 language", e, 102, false, false, 1792, true},
        {"E H read 1794 command", e, 102, false, false, 1794, false},
        {"E H write 1794", e, 102, false, true, 1794, true},
        {"E H read 0", e, 102, false, false, 0, false},
        {"E H write 0", e, 102, false, true, 0, false},
        // Classic input registers, fixed channels.
        {"C I 16", c, 404, true, false, 16, true},
        {"C I 17 end", c, 404, true, false, 17, false},
        {"C I 39", c, 404, true, false, 39, true},
        {"C I 40 end", c, 404, true, false, 40, false},
        {"C I 55", c, 404, true, false, 55, true},
        {"C I 56 end", c, 404, true, false, 56, false},
        {"C I 246", c, 404, true, false, 246, true},
        {"C I 286", c, 404, true, false, 286, true},
        {"C I 287 end", c, 404, true, false, 287, false},
        {"C I 2457 no probe", c, 404, true, false, 2457, false},
        {"C I write", c, 404, true, true, 16, false},
        // Classic input registers, one page per channel.
        {"C420 I 17", c, 420, true, false, 17, true},
        {"C421 I 21", c, 421, true, false, 21, true},
        {"C420 I 22 end", c, 420, true, false, 22, false},
        {"C420 I 44", c, 420, true, false, 44, true},
        {"C420 I 45 end", c, 420, true, false, 45, false},
        {"C420 I 246 (fixed layout only)", c, 420, true, false, 246, false},
        // Extended input registers.
        {"E I 25", e, 102, true, false, 25, true},
        {"E I 26 end", e, 102, true, false, 26, false},
        {"E I 37", e, 102, true, false, 37, true},
        {"E I 38 end", e, 102, true, false, 38, false},
        {"E I 42 none", e, 102, true, false, 42, false},
        {"E I 43", e, 102, true, false, 43, true},
        {"E I 59", e, 102, true, false, 59, true},
        {"E I 60 end", e, 102, true, false, 60, false},
        {"E I 98", e, 102, true, false, 98, true},
        {"E I 99 end", e, 102, true, false, 99, false},
        {"E I 115", e, 102, true, false, 115, true},
        {"E I 116 end", e, 102, true, false, 116, false},
        {"E I 550", e, 102, true, false, 550, true},
        {"E I 555 end", e, 102, true, false, 555, false},
        {"E I 2457 probe", e, 102, true, false, 2457, true},
        {"E I 2458 end", e, 102, true, false, 2458, false},
        // Open maps everything readable.
        {"O H 4095", o, 0, false, false, 4095, true},
        {"O I 2457", o, 0, true, false, 2457, true},
    };
    for (const Row& r : rows)
        QTest::newRow(r.name) << r.layout << r.model << r.input << r.write << r.reg << r.mapped;
}

void TstSimDetector::profileMap()
{
    QFETCH(int, layout);
    QFETCH(int, model);
    QFETCH(bool, input);
    QFETCH(bool, write);
    QFETCH(int, reg);
    QFETCH(bool, mapped);

    SimDetector sim;
    sim.setProfile(SimDetector::Layout(layout), quint16(model));
    QCOMPARE(sim.input(10, 16), quint16(model));
    const auto kind = input ? SimDetector::Kind::Input : SimDetector::Kind::Holding;
    QCOMPARE(sim.isStartMapped(kind, reg, write), mapped);
}

// ---- on the line --------------------------------------------------------------------------

void TstSimDetector::handshake_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("fromAttempt");
    QTest::addColumn<QByteArrayList>("replies"); // one per attempt

    const int answer = int(SimDetector::HandshakeMode::Answer);
    const int never = int(SimDetector::HandshakeMode::Never);
    const int wrong = int(SimDetector::HandshakeMode::WrongText);
    QTest::newRow("answers at once") << answer << 1 << QByteArrayList{"ACTIV", "ACTIV"};
    QTest::newRow("answers from attempt 3")
        << answer << 3 << QByteArrayList{QByteArray(), QByteArray(), "ACTIV"};
    QTest::newRow("never answers") << never << 1 << QByteArrayList{QByteArray(), QByteArray()};
    QTest::newRow("wrong text") << wrong << 1 << QByteArrayList{"ACTIVE"};
    QTest::newRow("wrong text from attempt 2")
        << wrong << 2 << QByteArrayList{QByteArray(), "ACTIVE"};
}

void TstSimDetector::handshake()
{
    QFETCH(int, mode);
    QFETCH(int, fromAttempt);
    QFETCH(QByteArrayList, replies);

    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    sim.setHandshake(SimDetector::HandshakeMode(mode), fromAttempt);
    for (int i = 0; i < replies.size(); ++i) {
        const QByteArray expected = replies[i];
        QCOMPARE(line.exchange("ACTIV"), expected);
    }
    QCOMPARE(sim.activCount(), replies.size());
    QCOMPARE(sim.deactivCount(), 0);
    const QVector<SimRequest> log = sim.requests();
    QCOMPARE(log.size(), replies.size());
    for (const SimRequest& r : log) {
        QVERIFY(r.handshake);
        QVERIFY(!r.crcOk);
    }
}

void TstSimDetector::deactivIsRecordedNotAnswered()
{
    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    QCOMPARE(line.exchange("ACTIV"), QByteArray("ACTIV"));
    QCOMPARE(line.exchange("DEACTIV"), QByteArray());
    QCOMPARE(sim.activCount(), 1);
    QCOMPARE(sim.deactivCount(), 1);
    QVERIFY(sim.requests().constLast().handshake);
    QVERIFY(!sim.requests().constLast().answered);
}

void TstSimDetector::preambleIsDropped()
{
    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    sim.setInput(10, 16, 404);
    const QByteArray request = SimDetector::readRequest(0xFF, 4, 170, 16, 1);

    // The program's wake-up: the first five bytes alone, then silence.
    QCOMPARE(line.exchange(request.left(5)), QByteArray());
    QCOMPARE(line.exchange(request), withCrc({0xFF, 0x04, 0x02, 0x01, 0x94}));

    const QVector<SimRequest> log = sim.requests();
    QCOMPARE(log.size(), 2);
    QVERIFY(log[0].fragment);
    QVERIFY(!log[0].answered);
    QCOMPARE(log[0].raw, request.left(5));
    QVERIFY(log[1].crcOk);
    QCOMPARE(log[1].function, 4);
    QCOMPARE(log[1].page, 10);
    QCOMPARE(log[1].reg, 16);
    QCOMPARE(log[1].count, 1);
    QCOMPARE(sim.countFrames(4), 1);
    QCOMPARE(sim.countFrames(4, 170, 16), 1);
    QVERIFY(log[1].timeUs > log[0].timeUs);
}

// A loaded machine may hand the simulator the preamble and its frame as one chunk; they are
// still two requests. Bytes in front of a frame that are not its own first bytes are not split
// off: that chunk is a damaged frame.
void TstSimDetector::framesRunTogetherAreSplit()
{
    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    sim.setInput(10, 16, 404);
    const QByteArray request = SimDetector::readRequest(0xFF, 4, 170, 16, 1);

    QCOMPARE(line.exchange(request.left(5) + request), withCrc({0xFF, 0x04, 0x02, 0x01, 0x94}));
    QVector<SimRequest> log = sim.requests();
    QCOMPARE(log.size(), 2);
    QVERIFY(log[0].fragment);
    QCOMPARE(log[0].raw, request.left(5));
    QVERIFY(log[1].crcOk);
    QCOMPARE(log[1].raw, request);

    sim.clearLog();
    QCOMPARE(line.exchange(QByteArray("\x01\x02\x03", 3) + request), QByteArray());
    log = sim.requests();
    QCOMPARE(log.size(), 1);
    QVERIFY(!log[0].crcOk);
    QVERIFY(!log[0].fragment);

    // A request and its retry that reach the simulator together (its thread woke late)
    // are two requests, each answered; so are preamble, frame and retry.
    const QByteArray reply = withCrc({0xFF, 0x04, 0x02, 0x01, 0x94});
    sim.clearLog();
    QCOMPARE(line.exchange(request + request), reply + reply);
    log = sim.requests();
    QCOMPARE(log.size(), 2);
    QVERIFY(log[0].crcOk && log[1].crcOk);
    QCOMPARE(log[1].raw, request);

    sim.clearLog();
    QCOMPARE(line.exchange(request.left(5) + request + request), reply + reply);
    log = sim.requests();
    QCOMPARE(log.size(), 3);
    QVERIFY(log[0].fragment);
    QVERIFY(log[1].crcOk && log[2].crcOk);

    // Frames with a damaged one among them stay one damaged chunk.
    QByteArray damaged = request;
    damaged[3] = char(damaged[3] ^ 0x01);
    sim.clearLog();
    QCOMPARE(line.exchange(request + damaged), QByteArray());
    log = sim.requests();
    QCOMPARE(log.size(), 1);
    QVERIFY(!log[0].crcOk);
}

void TstSimDetector::badCrcIsDropped()
{
    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    QByteArray request = SimDetector::readRequest(1, 3, 0, 256, 1);
    QByteArray damaged = request;
    damaged[damaged.size() - 1] = char(damaged[damaged.size() - 1] ^ 0x20);

    QCOMPARE(line.exchange(damaged), QByteArray());
    QCOMPARE(line.exchange(request), withCrc({0x01, 0x03, 0x02, 0x00, 0x00}));
    const QVector<SimRequest> log = sim.requests();
    QCOMPARE(log.size(), 2);
    QVERIFY(!log[0].crcOk);
    QVERIFY(!log[0].fragment);
    QVERIFY(!log[0].answered);
    QVERIFY(log[1].crcOk);
    QCOMPARE(sim.countFrames(3), 1);
}

// A retry of a block whose echo the program missed is the same block written again.
void TstSimDetector::repeatedFirmwareBlockIsOneBlock()
{
    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    const QByteArray a = withCrc({0xFF, 15, 0x08, 0x00, 0x10, 0x00, 3, 0xAA, 0xBB, 0xCC});
    const QByteArray b = withCrc({0xFF, 15, 0x08, 0x00, 0x10, 0x03, 2, 0xDD, 0xEE});
    for (const QByteArray& block : {a, a, b, a}) {
        const QByteArray echo = line.exchange(block);
        QCOMPARE(echo.size(), 8);
    }
    const QVector<SimDetector::FirmwareBlock> blocks = sim.firmwareBlocks();
    QCOMPARE(blocks.size(), 3);
    QCOMPARE(blocks[0].address, 0x08001000u);
    QCOMPARE(blocks[1].address, 0x08001003u);
    QCOMPARE(blocks[2].data, QByteArray("\xAA\xBB\xCC"));
    QCOMPARE(sim.firmwareBytes(), QByteArray("\xAA\xBB\xCC\xDD\xEE\xAA\xBB\xCC"));
}

void TstSimDetector::frames_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("model");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");

    const int c = int(SimDetector::Layout::Classic);
    const int e = int(SimDetector::Layout::Extended);
    const int o = int(SimDetector::Layout::Open);
    // Seeded in frames(): holding page 0: 256 = 0x0102, 257 = 0x0304; input page 10: 2457 = 123.

    QTest::newRow("read holding") << c << 404 << SimDetector::readRequest(1, 3, 0, 256, 2)
                                  << withCrc({0x01, 0x03, 0x04, 0x01, 0x02, 0x03, 0x04});
    QTest::newRow("address echoed") << c << 404 << SimDetector::readRequest(0x2A, 3, 0, 257, 1)
                                    << withCrc({0x2A, 0x03, 0x02, 0x03, 0x04});
    QTest::newRow("address 255") << c << 404 << SimDetector::readRequest(0xFF, 3, 0, 256, 1)
                                 << withCrc({0xFF, 0x03, 0x02, 0x01, 0x02});
    QTest::newRow("address 0 answered too") << c << 404 << SimDetector::readRequest(0, 3, 0, 256, 1)
                                            << withCrc({0x00, 0x03, 0x02, 0x01, 0x02});
    QTest::newRow("model code") << c << 411 << SimDetector::readRequest(0xFF, 4, 170, 16, 1)
                                << withCrc({0xFF, 0x04, 0x02, 0x01, 0x9B});
    QTest::newRow("classic write-only start")
        << c << 404 << SimDetector::readRequest(1, 3, 0, 254, 4) << withCrc({0x01, 0x83, 0x02});
    QTest::newRow("classic write 254 echoed")
        << c << 404 << SimDetector::writeRequest(1, 0, 254, {1, 2, 3, 4})
        << withCrc({0x01, 0x10, 0x00, 0xFE, 0x00, 0x04});
    QTest::newRow("classic commit on device page")
        << c << 404 << SimDetector::writeRequest(0xFF, 170, 576, {0})
        << withCrc({0xFF, 0x10, 0xA2, 0x40, 0x00, 0x01});
    QTest::newRow("write outside the map")
        << c << 404 << SimDetector::writeRequest(1, 0, 600, {7}) << withCrc({0x01, 0x90, 0x02});
    QTest::newRow("classic map probe refused")
        << c << 404 << SimDetector::readRequest(0xFF, 4, 170, 2457, 1)
        << withCrc({0xFF, 0x84, 0x02});
    QTest::newRow("extended map probe answers")
        << e << 102 << SimDetector::readRequest(0xFF, 4, 170, 2457, 1)
        << withCrc({0xFF, 0x04, 0x02, 0x00, 0x7B});
    QTest::newRow("count past a block is served")
        << c << 404 << SimDetector::readRequest(1, 3, 0, 337, 2)
        << withCrc({0x01, 0x03, 0x04, 0x00, 0x00, 0x00, 0x00});
    QTest::newRow("count 0") << o << 0 << SimDetector::readRequest(1, 3, 0, 256, 0)
                             << withCrc({0x01, 0x83, 0x03});
    QTest::newRow("count 126") << o << 0 << SimDetector::readRequest(1, 4, 0, 256, 126)
                               << withCrc({0x01, 0x84, 0x03});
    QTest::newRow("past register 4095")
        << o << 0 << SimDetector::readRequest(1, 3, 0, 4095, 2) << withCrc({0x01, 0x83, 0x02});
    QTest::newRow("write byte count wrong")
        << o << 0 << withCrc({0x01, 0x10, 0x01, 0x00, 0x00, 0x01, 0x04, 0x00, 0x07})
        << withCrc({0x01, 0x90, 0x03});
    QTest::newRow("unknown function")
        << o << 0 << withCrc({0x01, 0x07, 0x00, 0x00, 0x00, 0x01}) << withCrc({0x01, 0x87, 0x01});
    QTest::newRow("function 6 is not served")
        << o << 0 << withCrc({0x01, 0x06, 0x01, 0x00, 0x00, 0x01}) << withCrc({0x01, 0x86, 0x01});
    QTest::newRow("archive read default: no records")
        << o << 0 << withCrc({0xFF, 0x0C, 0x00, 0x05, 0x00, 0x0A}) << withCrc({0xFF, 0x0C, 0x00});
    QTest::newRow("data block 14 default: echo")
        << o << 0 << withCrc({0xFF, 0x0E, 0x08, 0x00, 0x10, 0x00, 0x02, 0xAA, 0xBB})
        << withCrc({0xFF, 0x0E, 0x08, 0x00, 0x10, 0x00});
    QTest::newRow("data block 15 default: echo")
        << o << 0 << withCrc({0xFF, 0x0F, 0x00, 0x01, 0x02, 0x03, 0x01, 0x55})
        << withCrc({0xFF, 0x0F, 0x00, 0x01, 0x02, 0x03});
    QTest::newRow("data block length wrong")
        << o << 0 << withCrc({0xFF, 0x0E, 0x08, 0x00, 0x10, 0x00, 0x03, 0xAA, 0xBB})
        << withCrc({0xFF, 0x8E, 0x03});
    QTest::newRow("range search default")
        << o << 0 << withCrc({0xFF, 0x14, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00})
        << withCrc({0xFF, 0x14, 0, 0, 0, 0, 0, 0, 0, 0});
}

void TstSimDetector::frames()
{
    QFETCH(int, layout);
    QFETCH(int, model);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);

    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    sim.setProfile(SimDetector::Layout(layout), quint16(model));
    sim.setHolding(0, 256, 0x0102);
    sim.setHolding(0, 257, 0x0304);
    sim.setInput(10, 2457, 123);

    QCOMPARE(line.exchange(request).toHex(' '), reply.toHex(' '));
    const SimRequest logged = sim.requests().constLast();
    QVERIFY(logged.crcOk);
    QCOMPARE(logged.raw, request);
    QCOMPARE(logged.reply, reply);
    QCOMPARE(logged.function, int(quint8(request[1])));
}

void TstSimDetector::writeStoresOnWirePage()
{
    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    sim.setProfile(SimDetector::Layout::Extended, 102);
    const QByteArray request = SimDetector::writeRequest(0xFF, 170, 544, {0xBEEF, 0x0001});
    QCOMPARE(line.exchange(request), withCrc({0xFF, 0x10, 0xA2, 0x20, 0x00, 0x02}));
    QCOMPARE(sim.holding(10, 544), quint16(0xBEEF));
    QCOMPARE(sim.holding32(170, 544), 0x0001BEEFu);
    QCOMPARE(sim.holding(0, 544), quint16(0));

    const SimRequest r = sim.requests().constLast();
    QCOMPARE(r.page, 10);
    QCOMPARE(r.reg, 544);
    QCOMPARE(r.count, 2);
    QCOMPARE(r.values(), (QVector<quint16>{0xBEEF, 0x0001}));
    QCOMPARE(sim.countFrames(16, 10, 544), 1);
    QCOMPARE(sim.countFrames(16, 0, 544), 0);
    QCOMPARE(sim.countFrames(3), 0);

    sim.clearLog();
    QVERIFY(sim.requests().isEmpty());
}

void TstSimDetector::handlers()
{
    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));

    std::atomic<int> archiveFirst{-1}, archiveCount{-1};
    sim.onArchiveRead([&](quint16 first, quint16 count) {
        archiveFirst = first;
        archiveCount = count;
        SimDetector::ArchiveReply r;
        r.count = 2;
        r.records = bytes({0x11, 0x22, 0x33, 0x44});
        return r;
    });
    QCOMPARE(line.exchange(withCrc({0xFF, 0x0C, 0x01, 0x02, 0x00, 0x19})),
             withCrc({0xFF, 0x0C, 0x02, 0x11, 0x22, 0x33, 0x44}));
    QCOMPARE(archiveFirst.load(), 0x0102);
    QCOMPARE(archiveCount.load(), 25);

    std::atomic<int> blockFunction{-1};
    std::atomic<quint32> blockAddress{0};
    std::atomic<int> blockLength{-1};
    sim.onDataBlock([&](int function, quint32 address, const QByteArray& data) {
        blockFunction = function;
        blockAddress = address;
        blockLength = data.size();
        // The handler may use the simulator: it runs with no lock held.
        sim.setHolding(10, 3, quint16(data.size()));
        return data.size() == 3;
    });
    QCOMPARE(line.exchange(withCrc({0xFF, 0x0F, 0x08, 0x01, 0x02, 0x03, 0x02, 0x01, 0x02})),
             withCrc({0xFF, 0x8F, 0x04}));
    QCOMPARE(blockFunction.load(), 15);
    QCOMPARE(blockAddress.load(), 0x08010203u);
    QCOMPARE(blockLength.load(), 2);
    QCOMPARE(sim.holding(10, 3), quint16(2));
    QCOMPARE(line.exchange(withCrc({0xFF, 0x0E, 0, 0, 0, 4, 0x03, 0x01, 0x02, 0x03})),
             withCrc({0xFF, 0x0E, 0, 0, 0, 4}));
    QCOMPARE(sim.requests().constLast().data, bytes({0x01, 0x02, 0x03}));
    QCOMPARE(sim.requests().constLast().blockAddress, 4u);

    std::atomic<quint32> start{0}, stop{0};
    sim.onRangeSearch([&](quint32 a, quint32 b) {
        start = a;
        stop = b;
        return std::pair<quint32, quint32>(1, 0x01020304);
    });
    // The request's times are big-endian, the record numbers of the reply little-endian.
    QCOMPARE(line.exchange(withCrc({0xFF, 0x14, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80})),
             withCrc({0xFF, 0x14, 0x01, 0x00, 0x00, 0x00, 0x04, 0x03, 0x02, 0x01}));
    QCOMPARE(start.load(), 0x10203040u);
    QCOMPARE(stop.load(), 0x50607080u);
    QCOMPARE(sim.requests().constLast().startTime, 0x10203040u);

    // An empty handler restores the default.
    sim.onRangeSearch(nullptr);
    QCOMPARE(line.exchange(withCrc({0xFF, 0x14, 0, 0, 0, 1, 0, 0, 0, 2})),
             withCrc({0xFF, 0x14, 0, 0, 0, 0, 0, 0, 0, 0}));
}

void TstSimDetector::faults_data()
{
    QTest::addColumn<SimFault>("fault");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply"); // everything that arrives
    QTest::addColumn<int>("firstChunk");   // bytes of the first write, -1 = not checked
    QTest::addColumn<int>("lastAfterMs");  // the last byte goes out (arrives) at least this late
    QTest::addColumn<quint16>("stored");   // holding 0/300 afterwards

    // Holding page 0 register 300 holds 0x1234 before each row.
    const QByteArray read = SimDetector::readRequest(1, 3, 0, 300, 1);
    const QByteArray readReply = withCrc({0x01, 0x03, 0x02, 0x12, 0x34});
    const QByteArray write = SimDetector::writeRequest(1, 0, 300, {0x5678});
    const QByteArray block = withCrc({0x01, 0x0E, 0x08, 0x00, 0x12, 0x34, 0x01, 0x99});
    QByteArray badCrc = readReply;
    badCrc[badCrc.size() - 1] = char(badCrc[badCrc.size() - 1] ^ 0xFF);

    QTest::newRow("silence") << SimFault(SimFault::Silence) << read << QByteArray() << -1 << 0
                             << quint16(0x1234);
    QTest::newRow("silence, write still done")
        << SimFault(SimFault::Silence, 16) << write << QByteArray() << -1 << 0 << quint16(0x5678);
    QTest::newRow("bad crc") << SimFault(SimFault::BadCrc) << read << badCrc << -1 << 0
                             << quint16(0x1234);
    QTest::newRow("split") << SimFault(SimFault::Split).splitAfter(3).millis(40) << read
                           << readReply << 3 << 40 << quint16(0x1234);
    QTest::newRow("delay") << SimFault(SimFault::Delay).millis(50) << read << readReply << -1 << 50
                           << quint16(0x1234);
    QTest::newRow("exception 1") << SimFault(SimFault::Exception).code(1) << read
                                 << withCrc({0x01, 0x83, 0x01}) << -1 << 0 << quint16(0x1234);
    QTest::newRow("exception 3") << SimFault(SimFault::Exception).code(3) << read
                                 << withCrc({0x01, 0x83, 0x03}) << -1 << 0 << quint16(0x1234);
    QTest::newRow("exception 2, write not done")
        << SimFault(SimFault::Exception).code(2) << write << withCrc({0x01, 0x90, 0x02}) << -1 << 0
        << quint16(0x1234);
    QTest::newRow("exception 4 to function 14")
        << SimFault(SimFault::Exception, 14).code(4) << block << withCrc({0x01, 0x8E, 0x04}) << -1
        << 0 << quint16(0x1234);
    QTest::newRow("wrong echo 16")
        << SimFault(SimFault::WrongEcho) << write << withCrc({0x01, 0x10, 0x01, 0x2D, 0x00, 0x01})
        << -1 << 0 << quint16(0x5678);
    QTest::newRow("wrong echo 14")
        << SimFault(SimFault::WrongEcho) << block << withCrc({0x01, 0x0E, 0x08, 0x00, 0x12, 0x35})
        << -1 << 0 << quint16(0x1234);
    QTest::newRow("one byte") << SimFault(SimFault::OneByte) << read << bytes({0x01}) << -1 << 0
                              << quint16(0x1234);
    QTest::newRow("bad byte count")
        << SimFault(SimFault::BadByteCount) << read << withCrc({0x01, 0x03, 0x04, 0x12, 0x34}) << -1
        << 0 << quint16(0x1234);
    QTest::newRow("extra reply") << SimFault(SimFault::ExtraReply).millis(40) << read
                                 << readReply + readReply << readReply.size() << 40
                                 << quint16(0x1234);
    QTest::newRow("other function unaffected")
        << SimFault(SimFault::Silence, 4) << read << readReply << -1 << 0 << quint16(0x1234);
    QTest::newRow("other register unaffected") << SimFault(SimFault::Silence, 3, 0, 301) << read
                                               << readReply << -1 << 0 << quint16(0x1234);
    QTest::newRow("other page unaffected")
        << SimFault(SimFault::Silence, 3, 170) << read << readReply << -1 << 0 << quint16(0x1234);
}

void TstSimDetector::faults()
{
    QFETCH(SimFault, fault);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    QFETCH(int, firstChunk);
    QFETCH(int, lastAfterMs);
    QFETCH(quint16, stored);

    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    sim.setHolding(0, 300, 0x1234);
    sim.addFault(fault);

    const QVector<Chunk> chunks = line.receive(line.sendAndAwait(request));
    QCOMPARE(Line::joined(chunks).toHex(' '), reply.toHex(' '));
    if (!chunks.isEmpty())
        QVERIFY(chunks.last().atUs - line.sentUs() >= qint64(lastAfterMs) * 1000);
    QCOMPARE(sim.holding(0, 300), stored);
    const SimRequest logged = sim.requests().constLast();
    QCOMPARE(logged.reply, reply);
    QCOMPARE(logged.answered, !reply.isEmpty());
    // How the reply went onto the line: the reader's chunks depend on when its thread woke,
    // the simulator's writes do not.
    QByteArray written;
    for (const SimRequest::Write& w : logged.writes)
        written += w.bytes;
    QCOMPARE(written.toHex(' '), reply.toHex(' '));
    if (firstChunk >= 0) {
        QVERIFY(logged.writes.size() >= 2);
        QCOMPARE(logged.writes.first().bytes.size(), firstChunk);
        QVERIFY(logged.writes.last().timeUs - logged.writes.first().timeUs >=
                qint64(lastAfterMs) * 1000);
    }
    if (!logged.writes.isEmpty())
        QVERIFY(logged.writes.last().timeUs - logged.timeUs >= qint64(lastAfterMs) * 1000);
}

void TstSimDetector::faultAttemptsAndMatcher()
{
    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    sim.setHolding(0, 300, 7);
    // Attempts 2 and 3 of reads of register 300 go unanswered; 301 is counted separately.
    sim.addFault(SimFault(SimFault::Silence, 3, 0, 300).attempts(2, 3));
    // A later fault for the same requests applies only where the first does not.
    sim.addFault(SimFault(SimFault::Exception, 3, -1, 300).code(4).attempts(3, 4));

    const QByteArray read300 = SimDetector::readRequest(1, 3, 0, 300, 1);
    const QByteArray read301 = SimDetector::readRequest(1, 3, 0, 301, 1);
    const QByteArray ok300 = withCrc({0x01, 0x03, 0x02, 0x00, 0x07});
    QCOMPARE(line.exchange(read300), ok300);
    QCOMPARE(line.exchange(read301), withCrc({0x01, 0x03, 0x02, 0x00, 0x00}));
    QCOMPARE(line.exchange(read300), QByteArray());
    QCOMPARE(line.exchange(read300), QByteArray());
    QCOMPARE(line.exchange(read300), withCrc({0x01, 0x83, 0x04}));
    QCOMPARE(line.exchange(read300), ok300);
    QCOMPARE(sim.countFrames(3, 0, 300), 5);

    sim.addFault(SimFault(SimFault::Silence));
    QCOMPARE(line.exchange(read301), QByteArray());
    sim.clearFaults();
    QCOMPARE(line.exchange(read300), ok300);
}

void TstSimDetector::portCanBeReopened()
{
    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    QCOMPARE(line.exchange("ACTIV"), QByteArray("ACTIV"));
    line.close();
    for (int i = 0; i < 2; ++i) {
        Line again;
        QVERIFY(again.open(sim));
        QCOMPARE(again.exchange("ACTIV"), QByteArray("ACTIV"));
        again.close();
    }
    QCOMPARE(sim.activCount(), 3);
}

void TstSimDetector::unsolicitedBytes()
{
    SimDetector sim;
    Line line;
    QVERIFY(startSim(sim, line));
    sim.sendUnsolicited(bytes({0x01, 0x02, 0x03}));
    QCOMPARE(Line::joined(line.receive(3)), bytes({0x01, 0x02, 0x03}));
    QVERIFY(sim.requests().isEmpty());
}

QTEST_GUILESS_MAIN(TstSimDetector)
#include "tst_simdetector.moc"
