#pragma once

// A simulated detector on a pseudo-terminal.
//
// The program under test opens portPath() with its own QSerialPort, exactly as it would open a
// COM port, and talks to the simulator as it talks to a detector: the "ACTIV" handshake, then
// Modbus RTU with the standard functions 3, 4 and 16 and the detector's own 12, 14/15 and 20.
// The simulator runs in a thread of its own, so a test may block its thread in the program's
// waitForReadyRead() while the simulator answers.
//
// Bytes are gathered until the line has been silent for SilenceMs; the gathered chunk is one
// request. Chunks shorter than a Modbus frame (the wake-up preamble that the program sends
// alone before a request) and frames with a bad CRC are dropped unanswered, as the device drops
// them, but they appear in the request log. A chunk that is such a preamble run together with
// its own frame (this thread woke late) is split again where the frame's CRC says it starts.
//
// Registers are kept raw, 16 bits each, per kind (holding, input), page (0-15) and register
// (0-4095); the page is the top four bits of the wire address. Page arguments of this class are
// cut to four bits as the wire cuts them, so the program's device page 170 may be passed as it
// is (it is page 10 on the wire, see DevicePage).
//
// The profile (setProfile) decides which start registers the device maps; a request starting at
// an unmapped register is answered with exception 2. The register blocks are looked up by number
// whatever the page, as the device does: the page only chooses where the values live. A count
// that runs past the end of a block is served from the raw store.
//
// Every public function is thread-safe. The archive, data-block and range-search handlers run on
// the simulator's thread with no lock held, so they may call back into the simulator.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// One chunk of bytes the simulator received, with what it made of it.
struct SimRequest {
    qint64 timeUs = 0;      // steady clock, microseconds, when the chunk was complete
    QByteArray raw;         // the bytes as received
    bool handshake = false; // the text "ACTIV" or "DEACTIV"
    bool fragment = false;  // shorter than a Modbus frame, dropped (wake-up preamble)
    bool crcOk = false;     // a Modbus frame whose CRC matched

    // Parsed fields of a frame with a good CRC; -1 where the function has no such field.
    int address = -1;         // slave address byte
    int function = -1;        // function code
    int page = -1;            // 3, 4, 16: top four bits of the register address
    int reg = -1;             // 3, 4, 16: low twelve bits of the register address
    int count = -1;           // 3, 4, 16: register count; 12: record count
    int firstRecord = -1;     // 12
    quint32 blockAddress = 0; // 14, 15: 32-bit device address
    quint32 startTime = 0;    // 20
    quint32 stopTime = 0;     // 20
    QByteArray data;          // 16: register bytes as sent; 14, 15: the data block

    QByteArray reply; // every byte sent back for this request, all parts together
    bool answered = false;
    // Each write of the reply as it went onto the line, with when (steady clock, microseconds).
    // The record of a write is made before its bytes go out, so a test that has received them
    // finds it; what a reader sees as chunks depends on when its own thread woke.
    struct Write {
        qint64 timeUs = 0;
        QByteArray bytes;
    };
    QVector<Write> writes;
    quint64 serial = 0; // the simulator's own number of the request, from 1

    // The register values of a function-16 request.
    QVector<quint16> values() const;
};

// A fault to inject into the replies of matching requests.
struct SimFault {
    enum Kind {
        Silence,      // no reply (the request is still carried out)
        BadCrc,       // the reply with its CRC damaged
        Split,        // the reply in two writes, splitAt bytes first, then the rest ms after it
        Delay,        // the reply after ms
        Exception,    // exception reply with exceptionCode; the request is not carried out
        WrongEcho,    // 16: echo of the next register; 14/15: echo of the next address
        OneByte,      // only the first byte of the reply
        BadByteCount, // 3/4: byte count raised by 2, CRC valid
        ExtraReply    // the reply, then the same reply again ms after it
    };

    Kind kind = Silence;
    int function = -1; // -1 matches any function
    int page = -1;     // -1 matches any page; else matched against the wire page (0-15)
    int reg = -1;      // -1 matches any register
    // Matching requests are frames with a good CRC, counted from 1 per fault.
    int fromAttempt = 1; // first matching request it applies to
    int toAttempt = -1;  // last one; -1 = forever
    int ms = 0;
    int splitAt = -1; // -1: half of the reply
    int exceptionCode = 4;

    SimFault() = default;
    explicit SimFault(Kind k, int fn = -1, int pg = -1, int rg = -1)
        : kind(k), function(fn), page(pg < 0 ? -1 : (pg & 0x0F)), reg(rg)
    {
    }
    SimFault& attempts(int from, int to)
    {
        fromAttempt = from;
        toAttempt = to;
        return *this;
    }
    SimFault& millis(int value)
    {
        ms = value;
        return *this;
    }
    SimFault& splitAfter(int bytes)
    {
        splitAt = bytes;
        return *this;
    }
    SimFault& code(int value)
    {
        exceptionCode = value;
        return *this;
    }
};

class SimDetector
{
public:
    enum class Kind { Holding, Input };
    // Classic: the older register map; its input layout is the fixed-channel one, or the
    // page-based one for the models 420 and 421. Extended: the newer map. Open: every register
    // of every page is mapped (for tests that do not care about the map).
    enum class Layout { Classic, Extended, Open };
    enum class HandshakeMode {
        Answer,   // answer "ACTIV" from the given attempt on
        Never,    // never answer
        WrongText // from the given attempt on answer another text (setHandshake's wrongText)
    };

    struct ArchiveReply {
        int count = 0;      // the record count byte of the reply
        QByteArray records; // the record bytes that follow it
    };
    using ArchiveReadHandler = std::function<ArchiveReply(quint16 first, quint16 count)>;
    // Returns true to echo the request, false to answer exception 4.
    using DataBlockHandler =
        std::function<bool(int function, quint32 address, const QByteArray& bytes)>;
    using RangeSearchHandler =
        std::function<std::pair<quint32, quint32>(quint32 start, quint32 stop)>;

    static constexpr int SilenceMs = 4; // a chunk ends after this much silence on the line
    static constexpr int MinFrame = 8;  // shorter chunks are fragments
    static constexpr int DevicePage = 10;
    static constexpr int Pages = 16;
    static constexpr int RegistersPerPage = 4096;

    SimDetector();
    ~SimDetector();
    SimDetector(const SimDetector&) = delete;
    SimDetector& operator=(const SimDetector&) = delete;

    // Opens the pseudo-terminal and starts the thread. False (see errorString) when it cannot.
    bool start();
    void stop();
    bool isRunning() const;
    QString portPath() const;
    QString errorString() const;

    // Profile. Also stores modelCode in input register 16 of page 10, where the program reads
    // it. The fixed-channel input layout of the real device ignores the page; here every page
    // has its own registers, so a test seeds the page the program asks for.
    void setProfile(Layout layout, quint16 modelCode);
    Layout layout() const;
    quint16 modelCode() const;
    // Whether input register 2457 (the map probe) answers. setProfile sets it: Extended and
    // Open answer, Classic does not.
    void setAnswersMapProbe(bool answers);
    bool answersMapProbe() const;
    // Whether a request may start at reg under the current profile.
    bool isStartMapped(Kind kind, int reg, bool forWrite) const;

    // Raw register store.
    void setRegister(Kind kind, int page, int reg, quint16 value);
    quint16 registerValue(Kind kind, int page, int reg) const;
    void setHolding(int page, int reg, quint16 value);
    quint16 holding(int page, int reg) const;
    void setInput(int page, int reg, quint16 value);
    quint16 input(int page, int reg) const;
    // Two-register values travel low half first: reg holds bits 0-15, reg + 1 bits 16-31.
    void setHolding32(int page, int reg, quint32 value);
    quint32 holding32(int page, int reg) const;
    void setHoldingFloat(int page, int reg, float value);
    float holdingFloat(int page, int reg) const;
    void setInput32(int page, int reg, quint32 value);
    quint32 input32(int page, int reg) const;
    void setInputFloat(int page, int reg, float value);
    float inputFloat(int page, int reg) const;
    // Text: two characters per register, the earlier one in the low byte; padded with zeros to
    // the given number of registers, cut when longer.
    void setHoldingText(int page, int reg, const QByteArray& text, int registers);
    // The text of the given registers up to the first zero byte.
    QByteArray holdingText(int page, int reg, int registers) const;

    // Handlers of the detector's own functions. An empty function restores the default: 12
    // answers 0 records, 14/15 echo, 20 answers records 0 and 0.
    void onArchiveRead(ArchiveReadHandler handler);
    void onDataBlock(DataBlockHandler handler);
    void onRangeSearch(RangeSearchHandler handler);

    // --- device log ring ---
    // A log of records of `recordSize` bytes (48, 120 or 168); record i has number i, time
    // 1000 + 60 i ticks, type 4 (measurement) for even i and 1 (power-on) for odd i, and
    // channel bytes derived from i. The ring holds [start, current); the archive settings
    // block (528-533: intervals, start, current, recording on) follows it. With no archive
    // handler set, function 12 is answered from the ring (the wire index is the low 16 bits
    // of the newest record with those bits) and, with no range handler, function 20 with the
    // first and last index whose time lies in the range (first = last + 1 when none does).
    void setLogRing(int recordSize, quint32 start, quint32 current);
    void setLogRingCurrent(quint32 current);
    static QByteArray logRingRecord(quint32 number, int recordSize);

    // Handshake. Attempts are counted from the last call of setHandshake on.
    void setHandshake(HandshakeMode mode, int fromAttempt = 1,
                      const QByteArray& wrongText = QByteArrayLiteral("ACTIVE"));
    int activCount() const;
    int deactivCount() const;

    // Faults. A request is counted by every fault whose matcher it meets; the first fault (in
    // the order added) whose attempt range covers the count applies, only one per request.
    void addFault(const SimFault& fault);
    void clearFaults();

    // Request log.
    QVector<SimRequest> requests() const;
    void clearLog();
    // Frames with a good CRC of the function (and page and register, -1 = any).
    int countFrames(int function, int page = -1, int reg = -1) const;
    // A request is logged when this thread has taken it in, before its reply goes out; one that
    // gets no reply may be logged well after the program has stopped waiting on a loaded
    // machine. These wait until the log holds at least `entries` requests / `frames` frames
    // with a good CRC, at most timeoutMs; false when it did not in that time.
    bool waitForRequests(int entries, int timeoutMs = 10000) const;
    bool waitForFrames(int frames, int timeoutMs = 10000) const;

    // Line pacing: with it on, each reply trickles out as a 115200-baud line (10 bits a
    // byte) carries the request and then the reply, after the device's turnaround per
    // frame (milliseconds, also applied alone when pacing is off; the SilenceMs that ends a
    // request counts towards it). Both 0/off by default.
    void setLinePacing(bool on);
    void setTurnaroundMs(int ms);
    static constexpr int PacedBaud = 115200;

    // Sends bytes the program did not ask for (stale data on the line).
    void sendUnsolicited(const QByteArray& bytes);

    // --- firmware uploads ---
    // A function-14 (bootloader) or function-15 (application) block the device took, that is
    // answered with its echo; blocks refused or left unanswered are not in the list, and a
    // block repeated right after itself (a retry) is listed once.
    struct FirmwareBlock {
        int function = -1;
        quint32 address = 0;
        QByteArray data;
    };
    QVector<FirmwareBlock> firmwareBlocks() const;
    // The data of every block taken, concatenated in the order received.
    QByteArray firmwareBytes() const;
    // The writes of the command registers that frame an upload (device page, registers 1, 3-5,
    // 16, 17, 18) and every 14/15 block, in order: "w<reg>=<v1>,<v2>..." for a write and
    // "f<function>@<address hex>+<length>" for a block (taken or not).
    QStringList firmwareTraffic() const;
    // From the n-th block of the function on (counted from 1), every block gets the fault
    // (an exception with `code`).
    void failFirmwareBlock(int function, int n, SimFault::Kind kind, int code = 3);

    // --- calibration ---
    // The device's own calibration. Once armed, a write of a channel's flag word (classic 546,
    // extended 548-549, channel page) whose bit 0 (zero) or bit 1 (span) is clear starts it;
    // `ms` after that write the device is done: it sets the flag bit again and clears its
    // channel status bit (classic 547, extended 550-551: bit 7 zero, bit 8 span), or sets it
    // when `refuse` is true. The outcome is applied at the first request after it is due, which
    // is what the program sees. Not armed (the default), flag writes are only stored.
    void setChannelCalibration(int ms, bool refuse);
    // The bump test. Once armed, a write of the device flag word (device page, 544) with bit 8
    // set starts it (bit 8 clear stops it); the `polls`-th read of 544 after the start finds the
    // test over: bit 8 cleared and bit 7 set when `passes`, else cleared.
    void setBumpTest(int polls, bool passes);
    // Calibration mode of a channel as the device holds it: bit 8 of its flag word.
    bool calibrationMode(int channel) const;
    // A concentration that changes with time: start + perSecond x the seconds since this call,
    // refreshed at every input-register read. Extended: f32 at input 45-46 of the channel page;
    // classic models 420 and 421: u16 at input 40 of the channel page; other classic models:
    // u16 at input 261 + 7 x channel of the device page. A u16 holds the value x divisor,
    // rounded and bounded to 0..65535. perSecond 0 holds the value at start.
    void setMeasurementRamp(int channel, float start, float perSecond, int divisor = 1);

    // CRC-16/MODBUS of data (poly 0xA001 reflected, preset 0xFFFF).
    static quint16 crc16(const QByteArray& data);
    // data followed by its CRC, low byte first.
    static QByteArray withCrc(const QByteArray& data);
    static bool crcMatches(const QByteArray& frame);
    static int mergedPreambleLength(const QByteArray& chunk);
    // A chunk that is whole frames run together (each perhaps behind its wake-up preamble),
    // split into them; any other chunk as it is.
    static QVector<QByteArray> splitMergedChunk(const QByteArray& chunk);
    // Request frames with CRC, for tests that speak to the simulator directly.
    static QByteArray readRequest(quint8 address, quint8 function, int page, int reg, int count);
    static QByteArray writeRequest(quint8 address, int page, int reg,
                                   const QVector<quint16>& values);
    // The steady clock of SimRequest::timeUs (CLOCK_MONOTONIC, as QElapsedTimer), microseconds.
    static qint64 nowUs();

private:
    struct Pending {
        qint64 dueUs;
        QByteArray bytes;
        quint64 serial; // the request it answers; 0 for none
    };
    struct ActiveFault {
        SimFault fault;
        int seen = 0;
    };

    void run();
    void processChunk(const QByteArray& chunk, qint64 timeUs);
    // Builds the normal reply to a frame with a good CRC and fills the parsed fields of req.
    // Called with the lock held; unlocks it around the handlers.
    QByteArray answerFrame(std::unique_lock<std::mutex>& lock, SimRequest& req,
                           const SimFault* fault);
    const SimFault* pickFault(const SimRequest& req);
    bool mappedLocked(Kind kind, int reg, bool forWrite) const;
    void schedule(qint64 dueUs, const QByteArray& bytes, quint64 serial = 0);
    // Appends to the log and wakes whoever waits for it; the lock is held.
    void logLocked(SimRequest& req);
    // Records a write of the reply to request `serial` in its log entry; the lock is held.
    void noteWriteLocked(quint64 serial, qint64 timeUs, const QByteArray& bytes);
    void writeOut(const QByteArray& bytes);
    void wake();
    static std::size_t index(Kind kind, int page, int reg);

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_logged;
    quint64 m_serial = 0;
    std::vector<quint16> m_registers;
    Layout m_layout = Layout::Open;
    quint16 m_modelCode = 0;
    bool m_answersMapProbe = true;

    ArchiveReadHandler m_archiveRead;
    DataBlockHandler m_dataBlock;
    RangeSearchHandler m_rangeSearch;

    int m_logRingSize = 0;
    quint32 m_logRingStart = 0;
    quint32 m_logRingCurrent = 0;
    ArchiveReply logRingReply(quint16 first, quint16 count) const;
    std::pair<quint32, quint32> logRingRange(quint32 start, quint32 stop) const;
    // Calibration reactions (all under m_mutex).
    struct PendingCalibration {
        int page;
        int bit; // 0 zero, 1 span
        qint64 dueUs;
        bool refuse;
    };
    struct MeasurementRamp {
        int channel;
        float start;
        float perSecond;
        int divisor;
        qint64 fromUs;
    };
    bool m_calibrationArmed = false;
    int m_calibrationMs = 0;
    bool m_calibrationRefuses = false;
    std::vector<PendingCalibration> m_pendingCalibrations;
    int m_bumpPolls = 0; // 0: not armed
    bool m_bumpPasses = false;
    bool m_bumpRunning = false;
    int m_bumpSeen = 0;
    std::vector<MeasurementRamp> m_ramps;
    int flagRegisterLocked() const;
    void calibrationAfterWriteLocked(const SimRequest& req);
    void calibrationBeforeReadLocked(const SimRequest& req);

    HandshakeMode m_handshakeMode = HandshakeMode::Answer;
    int m_handshakeFrom = 1;
    int m_handshakeAttempts = 0;
    QByteArray m_wrongText;
    int m_activCount = 0;
    int m_deactivCount = 0;

    std::vector<ActiveFault> m_faults;
    QVector<SimRequest> m_log;
    std::vector<Pending> m_pending;
    bool m_linePacing = false;
    int m_turnaroundMs = 0;

    int m_master = -1;
    int m_slave = -1; // kept open so that the program may close and reopen the port
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    QString m_portPath;
    QString m_error;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
};
