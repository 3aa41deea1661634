#include "simdetector.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace
{

struct Range {
    int first;
    int last; // inclusive
};

// Register blocks by layout, as start registers. The device looks a register up by its number
// whatever the page, so the channel-page and device-page blocks of one map are listed together.

// Classic map, function 3. 254-255 (UTC offset) and the command registers cannot be read.
const Range classicHoldingRead[] = {
    {1, 5}, {256, 337}, {352, 371}, {512, 512}, {514, 514}, {528, 533}, {544, 547},
};
// Classic map, function 16.
const Range classicHoldingWrite[] = {
    {1, 5},     {16, 18},   {254, 337},   {352, 371},   {512, 512},   {514, 514},
    {528, 533}, {544, 547}, {560, 563},   {576, 576},   {592, 592},   {594, 594},
    {596, 596}, {598, 598}, {1792, 1792}, {1794, 1794}, {2048, 2048},
};
// Extended map, function 3. Unlike the classic map, the display language (1792) reads back.
const Range extendedHoldingRead[] = {
    {1, 5},     {254, 312}, {336, 395}, {400, 406}, {512, 519},
    {528, 533}, {544, 552}, {768, 769}, {784, 786}, {1792, 1792},
};
// Extended map, function 16.
const Range extendedHoldingWrite[] = {
    {1, 5},     {16, 18},   {254, 312},   {336, 395},   {400, 406},   {512, 519}, {528, 533},
    {544, 552}, {560, 563}, {576, 576},   {592, 592},   {594, 594},   {596, 596}, {598, 598},
    {768, 769}, {784, 786}, {1792, 1792}, {1794, 1794}, {2048, 2048},
};
// Classic input registers, fixed-channel layout (the register number names the channel).
const Range classicFixedInput[] = {
    {16, 16},
    {32, 39},
    {48, 55},
    {246, 286},
};
// Classic input registers of the models 420 and 421, one page per channel.
const Range classicPagedInput[] = {
    {16, 21},
    {32, 44},
};
// Extended input registers.
const Range extendedInput[] = {
    {16, 25}, {32, 37}, {43, 59}, {96, 98}, {112, 115}, {550, 554},
};

constexpr int MapProbeRegister = 2457;
constexpr quint16 ModelT6M = 420;
constexpr quint16 ModelT6M4 = 421;

template <std::size_t N> bool inRanges(const Range (&ranges)[N], int reg)
{
    for (const Range& r : ranges) {
        if (reg >= r.first && reg <= r.last)
            return true;
    }
    return false;
}

quint16 be16(const QByteArray& b, int pos)
{
    return quint16((quint8(b[pos]) << 8) | quint8(b[pos + 1]));
}

quint32 be32(const QByteArray& b, int pos)
{
    return (quint32(be16(b, pos)) << 16) | be16(b, pos + 2);
}

void putBe16(QByteArray& b, quint16 v)
{
    b.append(char(v >> 8));
    b.append(char(v & 0xFF));
}

void putLe32(QByteArray& b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

QByteArray exceptionReply(quint8 address, quint8 function, quint8 code)
{
    QByteArray r;
    r.append(char(address));
    r.append(char(function | 0x80));
    r.append(char(code));
    return SimDetector::withCrc(r);
}

// Replaces the CRC of a complete frame after its body was changed.
QByteArray recrc(const QByteArray& frame)
{
    return SimDetector::withCrc(frame.left(frame.size() - 2));
}

int pageOf(int page)
{
    return page & 0x0F;
}

} // namespace

QVector<quint16> SimRequest::values() const
{
    QVector<quint16> v;
    for (int i = 0; i + 1 < data.size(); i += 2)
        v.append(be16(data, i));
    return v;
}

SimDetector::SimDetector() : m_registers(2 * Pages * RegistersPerPage, 0), m_wrongText("ACTIVE") {}

SimDetector::~SimDetector()
{
    stop();
}

qint64 SimDetector::nowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

bool SimDetector::start()
{
    if (m_running)
        return true;
    char name[256] = {};
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        m_error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    termios tio{};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B115200);
        ::cfsetospeed(&tio, B115200);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);

    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        m_error = QStringLiteral("pipe: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        ::close(master);
        ::close(slave);
        return false;
    }
    for (int fd : pipeFds) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }

    m_master = master;
    m_slave = slave;
    m_wakeRead = pipeFds[0];
    m_wakeWrite = pipeFds[1];
    m_portPath = QString::fromLocal8Bit(name);
    m_stop = false;
    m_running = true;
    m_thread = std::thread(&SimDetector::run, this);
    return true;
}

void SimDetector::stop()
{
    if (!m_running)
        return;
    m_stop = true;
    wake();
    if (m_thread.joinable())
        m_thread.join();
    for (int* fd : {&m_master, &m_slave, &m_wakeRead, &m_wakeWrite}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    m_running = false;
}

bool SimDetector::isRunning() const
{
    return m_running;
}

QString SimDetector::portPath() const
{
    return m_portPath;
}

QString SimDetector::errorString() const
{
    return m_error;
}

void SimDetector::wake()
{
    if (m_wakeWrite >= 0) {
        const char c = 1;
        [[maybe_unused]] ssize_t n = ::write(m_wakeWrite, &c, 1);
    }
}

// ---- profile ------------------------------------------------------------------------------

void SimDetector::setProfile(Layout layout, quint16 modelCode)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_layout = layout;
        m_modelCode = modelCode;
        m_answersMapProbe = layout != Layout::Classic;
    }
    setInput(DevicePage, 16, modelCode);
}

SimDetector::Layout SimDetector::layout() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_layout;
}

quint16 SimDetector::modelCode() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_modelCode;
}

void SimDetector::setAnswersMapProbe(bool answers)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answersMapProbe = answers;
}

bool SimDetector::answersMapProbe() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_answersMapProbe;
}

bool SimDetector::isStartMapped(Kind kind, int reg, bool forWrite) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return mappedLocked(kind, reg, forWrite);
}

bool SimDetector::mappedLocked(Kind kind, int reg, bool forWrite) const
{
    if (reg < 0 || reg >= RegistersPerPage)
        return false;
    if (kind == Kind::Input && forWrite)
        return false;
    if (kind == Kind::Input && reg == MapProbeRegister)
        return m_answersMapProbe;
    if (m_layout == Layout::Open)
        return true;
    const bool extended = m_layout == Layout::Extended;
    if (kind == Kind::Holding) {
        if (extended)
            return forWrite ? inRanges(extendedHoldingWrite, reg)
                            : inRanges(extendedHoldingRead, reg);
        return forWrite ? inRanges(classicHoldingWrite, reg) : inRanges(classicHoldingRead, reg);
    }
    if (extended)
        return inRanges(extendedInput, reg);
    if (m_modelCode == ModelT6M || m_modelCode == ModelT6M4)
        return inRanges(classicPagedInput, reg);
    return inRanges(classicFixedInput, reg);
}

// ---- register store -----------------------------------------------------------------------

std::size_t SimDetector::index(Kind kind, int page, int reg)
{
    const std::size_t k = kind == Kind::Holding ? 0 : 1;
    return (k * Pages + std::size_t(pageOf(page))) * RegistersPerPage +
           std::size_t(reg & (RegistersPerPage - 1));
}

void SimDetector::setRegister(Kind kind, int page, int reg, quint16 value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_registers[index(kind, page, reg)] = value;
}

quint16 SimDetector::registerValue(Kind kind, int page, int reg) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_registers[index(kind, page, reg)];
}

void SimDetector::setHolding(int page, int reg, quint16 value)
{
    setRegister(Kind::Holding, page, reg, value);
}

quint16 SimDetector::holding(int page, int reg) const
{
    return registerValue(Kind::Holding, page, reg);
}

void SimDetector::setInput(int page, int reg, quint16 value)
{
    setRegister(Kind::Input, page, reg, value);
}

quint16 SimDetector::input(int page, int reg) const
{
    return registerValue(Kind::Input, page, reg);
}

void SimDetector::setHolding32(int page, int reg, quint32 value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_registers[index(Kind::Holding, page, reg)] = quint16(value & 0xFFFF);
    m_registers[index(Kind::Holding, page, reg + 1)] = quint16(value >> 16);
}

quint32 SimDetector::holding32(int page, int reg) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_registers[index(Kind::Holding, page, reg)] |
           (quint32(m_registers[index(Kind::Holding, page, reg + 1)]) << 16);
}

void SimDetector::setHoldingFloat(int page, int reg, float value)
{
    quint32 bits = 0;
    static_assert(sizeof bits == sizeof value, "IEEE-754 single precision expected");
    std::memcpy(&bits, &value, sizeof bits);
    setHolding32(page, reg, bits);
}

float SimDetector::holdingFloat(int page, int reg) const
{
    const quint32 bits = holding32(page, reg);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void SimDetector::setInput32(int page, int reg, quint32 value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_registers[index(Kind::Input, page, reg)] = quint16(value & 0xFFFF);
    m_registers[index(Kind::Input, page, reg + 1)] = quint16(value >> 16);
}

quint32 SimDetector::input32(int page, int reg) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_registers[index(Kind::Input, page, reg)] |
           (quint32(m_registers[index(Kind::Input, page, reg + 1)]) << 16);
}

void SimDetector::setInputFloat(int page, int reg, float value)
{
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    setInput32(page, reg, bits);
}

float SimDetector::inputFloat(int page, int reg) const
{
    const quint32 bits = input32(page, reg);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void SimDetector::setHoldingText(int page, int reg, const QByteArray& text, int registers)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (int i = 0; i < registers; ++i) {
        const quint8 lo = 2 * i < text.size() ? quint8(text[2 * i]) : 0;
        const quint8 hi = 2 * i + 1 < text.size() ? quint8(text[2 * i + 1]) : 0;
        m_registers[index(Kind::Holding, page, reg + i)] = quint16(lo | (hi << 8));
    }
}

QByteArray SimDetector::holdingText(int page, int reg, int registers) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QByteArray text;
    for (int i = 0; i < registers; ++i) {
        const quint16 v = m_registers[index(Kind::Holding, page, reg + i)];
        text.append(char(v & 0xFF));
        text.append(char(v >> 8));
    }
    const int nul = text.indexOf('\0');
    return nul < 0 ? text : text.left(nul);
}

// ---- handlers, handshake, faults, log ------------------------------------------------------

void SimDetector::onArchiveRead(ArchiveReadHandler handler)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_archiveRead = std::move(handler);
}

void SimDetector::onDataBlock(DataBlockHandler handler)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_dataBlock = std::move(handler);
}

void SimDetector::onRangeSearch(RangeSearchHandler handler)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rangeSearch = std::move(handler);
}

void SimDetector::setHandshake(HandshakeMode mode, int fromAttempt, const QByteArray& wrongText)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_handshakeMode = mode;
    m_handshakeFrom = fromAttempt;
    m_handshakeAttempts = 0;
    m_wrongText = wrongText;
}

int SimDetector::activCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_activCount;
}

int SimDetector::deactivCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_deactivCount;
}

void SimDetector::addFault(const SimFault& fault)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.push_back(ActiveFault{fault, 0});
}

void SimDetector::clearFaults()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.clear();
}

QVector<SimRequest> SimDetector::requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_log;
}

void SimDetector::clearLog()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_log.clear();
}

bool SimDetector::waitForRequests(int entries, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_logged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return m_log.size() >= entries; });
}

bool SimDetector::waitForFrames(int frames, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_logged.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return std::count_if(m_log.begin(), m_log.end(),
                             [](const SimRequest& r) { return r.crcOk; }) >= frames;
    });
}

void SimDetector::logLocked(SimRequest& req)
{
    m_log.append(req);
    m_logged.notify_all();
}

void SimDetector::noteWriteLocked(quint64 serial, qint64 timeUs, const QByteArray& bytes)
{
    if (serial == 0)
        return;
    for (auto it = m_log.rbegin(); it != m_log.rend(); ++it) {
        if (it->serial == serial) {
            it->writes.append(SimRequest::Write{timeUs, bytes});
            return;
        }
    }
}

int SimDetector::countFrames(int function, int page, int reg) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int n = 0;
    for (const SimRequest& r : m_log) {
        if (!r.crcOk || r.function != function)
            continue;
        if (page >= 0 && r.page != pageOf(page))
            continue;
        if (reg >= 0 && r.reg != reg)
            continue;
        ++n;
    }
    return n;
}

void SimDetector::setLinePacing(bool on)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_linePacing = on;
}

void SimDetector::setTurnaroundMs(int ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_turnaroundMs = ms < 0 ? 0 : ms;
}

void SimDetector::sendUnsolicited(const QByteArray& bytes)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        schedule(nowUs(), bytes);
    }
    wake();
}

// ---- frames -------------------------------------------------------------------------------

quint16 SimDetector::crc16(const QByteArray& data)
{
    quint16 crc = 0xFFFF;
    for (char c : data) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

QByteArray SimDetector::withCrc(const QByteArray& data)
{
    const quint16 crc = crc16(data);
    QByteArray frame = data;
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

int SimDetector::mergedPreambleLength(const QByteArray& chunk)
{
    // The preamble is the frame's own first bytes, sent alone; only a chunk that is such a
    // prefix followed by a whole frame with a good CRC counts as merged.
    if (chunk.size() < MinFrame + 1 || crcMatches(chunk))
        return 0;
    for (int at = 1; at < MinFrame && chunk.size() - at >= MinFrame; ++at) {
        const QByteArray frame = chunk.mid(at);
        if (frame.startsWith(chunk.left(at)) && crcMatches(frame))
            return at;
    }
    return 0;
}

namespace
{

// Appends the frames a chunk is made of, when it is nothing but whole frames, each with a
// good CRC and perhaps behind its preamble; false (and `out` as it was) otherwise.
bool appendWholeFrames(const QByteArray& chunk, QVector<QByteArray>& out)
{
    if (chunk.size() < SimDetector::MinFrame)
        return false;
    const int size = out.size();
    if (SimDetector::crcMatches(chunk)) {
        out.append(chunk);
        return true;
    }
    if (const int at = SimDetector::mergedPreambleLength(chunk)) {
        out.append(chunk.left(at));
        out.append(chunk.mid(at));
        return true;
    }
    for (int length = SimDetector::MinFrame; chunk.size() - length >= SimDetector::MinFrame;
         ++length) {
        if (!SimDetector::crcMatches(chunk.left(length)))
            continue;
        out.append(chunk.left(length));
        if (appendWholeFrames(chunk.mid(length), out))
            return true;
        out.resize(size);
    }
    // A preamble, then a frame with a good CRC, then more frames.
    for (int at = 1; at < SimDetector::MinFrame; ++at) {
        const QByteArray rest = chunk.mid(at);
        if (!rest.startsWith(chunk.left(at)))
            continue;
        for (int length = SimDetector::MinFrame; rest.size() - length >= SimDetector::MinFrame;
             ++length) {
            if (!SimDetector::crcMatches(rest.left(length)))
                continue;
            out.append(chunk.left(at));
            out.append(rest.left(length));
            if (appendWholeFrames(rest.mid(length), out))
                return true;
            out.resize(size);
        }
    }
    return false;
}

} // namespace

QVector<QByteArray> SimDetector::splitMergedChunk(const QByteArray& chunk)
{
    QVector<QByteArray> frames;
    if (!appendWholeFrames(chunk, frames))
        frames = {chunk};
    return frames;
}

bool SimDetector::crcMatches(const QByteArray& frame)
{
    if (frame.size() < 2)
        return false;
    const quint16 crc = crc16(frame.left(frame.size() - 2));
    return quint8(frame[frame.size() - 2]) == (crc & 0xFF) &&
           quint8(frame[frame.size() - 1]) == (crc >> 8);
}

QByteArray SimDetector::readRequest(quint8 address, quint8 function, int page, int reg, int count)
{
    QByteArray f;
    f.append(char(address));
    f.append(char(function));
    putBe16(f, quint16((pageOf(page) << 12) | (reg & 0x0FFF)));
    putBe16(f, quint16(count));
    return withCrc(f);
}

QByteArray SimDetector::writeRequest(quint8 address, int page, int reg,
                                     const QVector<quint16>& values)
{
    QByteArray f;
    f.append(char(address));
    f.append(char(16));
    putBe16(f, quint16((pageOf(page) << 12) | (reg & 0x0FFF)));
    putBe16(f, quint16(values.size()));
    f.append(char(2 * values.size()));
    for (quint16 v : values)
        putBe16(f, v);
    return withCrc(f);
}

// ---- the line -----------------------------------------------------------------------------

void SimDetector::run()
{
    QByteArray chunk;
    qint64 lastByteUs = 0;
    const qint64 silenceUs = qint64(SilenceMs) * 1000;

    while (!m_stop) {
        qint64 now = nowUs();
        qint64 deadline = -1;
        if (!chunk.isEmpty())
            deadline = lastByteUs + silenceUs;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_pending.empty() && (deadline < 0 || m_pending.front().dueUs < deadline))
                deadline = m_pending.front().dueUs;
        }
        int timeoutMs = -1;
        if (deadline >= 0)
            timeoutMs = deadline <= now ? 0 : int((deadline - now + 999) / 1000);

        pollfd fds[2] = {{m_master, POLLIN, 0}, {m_wakeRead, POLLIN, 0}};
        const int rc = ::poll(fds, 2, timeoutMs);
        if (rc < 0 && errno != EINTR)
            break;
        if (rc > 0 && (fds[1].revents & POLLIN)) {
            char buf[64];
            while (::read(m_wakeRead, buf, sizeof buf) > 0) {
            }
        }
        if (rc > 0 && (fds[0].revents & POLLIN)) {
            char buf[4096];
            for (;;) {
                const ssize_t n = ::read(m_master, buf, sizeof buf);
                if (n <= 0)
                    break;
                chunk.append(buf, int(n));
                lastByteUs = nowUs();
            }
        } else if (rc > 0 && (fds[0].revents & (POLLHUP | POLLERR))) {
            // No reader on the other side; not expected while the own slave fd is open.
            ::usleep(1000);
        }

        now = nowUs();
        if (!chunk.isEmpty() && now - lastByteUs >= silenceUs) {
            const QByteArray request = chunk;
            chunk.clear();
            // On a loaded machine this thread may wake only after the wake-up preamble and
            // the frame behind it, or a request and its retry, have both arrived; the
            // device's receiver still sees them apart, so they are split again where the
            // frames' CRCs say they start and end.
            for (const QByteArray& frame : splitMergedChunk(request))
                processChunk(frame, now);
        }

        std::vector<QByteArray> due;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            now = nowUs();
            while (!m_pending.empty() && m_pending.front().dueUs <= now) {
                const Pending p = m_pending.front();
                m_pending.erase(m_pending.begin());
                // When this thread wakes late, the later parts of the same reply keep their
                // distance from this write, as the device's gaps would: a split reply stays
                // split however loaded the machine. A paced line keeps its own timetable
                // (its pieces are all late by the poll's rounding; that must not add up).
                const qint64 late = now - p.dueUs;
                if (!m_linePacing && p.serial != 0 && late > 0) {
                    bool moved = false;
                    for (Pending& q : m_pending) {
                        if (q.serial == p.serial) {
                            q.dueUs += late;
                            moved = true;
                        }
                    }
                    if (moved)
                        std::stable_sort(
                            m_pending.begin(), m_pending.end(),
                            [](const Pending& a, const Pending& b) { return a.dueUs < b.dueUs; });
                }
                noteWriteLocked(p.serial, now, p.bytes);
                due.push_back(p.bytes);
            }
        }
        for (const QByteArray& bytes : due)
            writeOut(bytes);
    }
}

void SimDetector::schedule(qint64 dueUs, const QByteArray& bytes, quint64 serial)
{
    // Kept in order of due time; equal times keep the order of scheduling.
    auto it = std::upper_bound(m_pending.begin(), m_pending.end(), dueUs,
                               [](qint64 t, const Pending& p) { return t < p.dueUs; });
    m_pending.insert(it, Pending{dueUs, bytes, serial});
}

void SimDetector::writeOut(const QByteArray& bytes)
{
    // One write() for the whole reply; a full tty buffer (nobody reading) is waited for
    // briefly, then the rest is dropped.
    int done = 0;
    int stalls = 0;
    while (done < bytes.size() && !m_stop) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += int(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return;
        if (++stalls > 100)
            return;
        pollfd out{m_master, POLLOUT, 0};
        ::poll(&out, 1, 1);
    }
}

const SimFault* SimDetector::pickFault(const SimRequest& req)
{
    const SimFault* chosen = nullptr;
    for (ActiveFault& af : m_faults) {
        const SimFault& f = af.fault;
        if (f.function >= 0 && f.function != req.function)
            continue;
        if (f.page >= 0 && (f.page & 0x0F) != req.page)
            continue;
        if (f.reg >= 0 && f.reg != req.reg)
            continue;
        ++af.seen;
        if (!chosen && af.seen >= f.fromAttempt && (f.toAttempt < 0 || af.seen <= f.toAttempt))
            chosen = &af.fault;
    }
    return chosen;
}

void SimDetector::processChunk(const QByteArray& chunk, qint64 timeUs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    SimRequest req;
    req.timeUs = timeUs;
    req.raw = chunk;
    req.serial = ++m_serial;

    if (chunk == "ACTIV") {
        req.handshake = true;
        ++m_activCount;
        ++m_handshakeAttempts;
        if (m_handshakeAttempts >= m_handshakeFrom) {
            if (m_handshakeMode == HandshakeMode::Answer)
                req.reply = QByteArrayLiteral("ACTIV");
            else if (m_handshakeMode == HandshakeMode::WrongText)
                req.reply = m_wrongText;
        }
        if (!req.reply.isEmpty()) {
            req.answered = true;
            schedule(nowUs(), req.reply, req.serial);
        }
        logLocked(req);
        return;
    }
    if (chunk == "DEACTIV") {
        req.handshake = true;
        ++m_deactivCount;
        logLocked(req);
        return;
    }
    if (chunk.size() < MinFrame) {
        req.fragment = true;
        logLocked(req);
        return;
    }
    if (!crcMatches(chunk)) {
        logLocked(req);
        return;
    }
    req.crcOk = true;
    req.address = quint8(chunk[0]);
    req.function = quint8(chunk[1]);
    switch (req.function) {
    case 3:
    case 4:
    case 16:
        req.page = be16(chunk, 2) >> 12;
        req.reg = be16(chunk, 2) & 0x0FFF;
        req.count = be16(chunk, 4);
        if (req.function == 16 && chunk.size() > 9)
            req.data = chunk.mid(7, chunk.size() - 9);
        break;
    case 12:
        req.firstRecord = be16(chunk, 2);
        req.count = be16(chunk, 4);
        break;
    case 14:
    case 15:
        if (chunk.size() >= 9) {
            req.blockAddress = be32(chunk, 2);
            req.data = chunk.mid(7, chunk.size() - 9);
        }
        break;
    case 20:
        if (chunk.size() >= 12) {
            req.startTime = be32(chunk, 2);
            req.stopTime = be32(chunk, 6);
        }
        break;
    default:
        break;
    }

    const SimFault* picked = pickFault(req);
    const bool hasFault = picked != nullptr;
    const SimFault fault = hasFault ? *picked : SimFault();

    QByteArray reply = answerFrame(lock, req, hasFault ? &fault : nullptr);

    const qint64 now = nowUs();
    std::vector<std::pair<qint64, QByteArray>> parts;
    if (!hasFault) {
        parts.emplace_back(now, reply);
    } else {
        switch (fault.kind) {
        case SimFault::Silence:
            break;
        case SimFault::BadCrc:
            reply[reply.size() - 1] = char(reply[reply.size() - 1] ^ 0xFF);
            parts.emplace_back(now, reply);
            break;
        case SimFault::Split: {
            int at = fault.splitAt < 0 ? reply.size() / 2 : fault.splitAt;
            at = std::clamp(at, 1, int(reply.size()) - 1);
            parts.emplace_back(now, reply.left(at));
            parts.emplace_back(now + qint64(fault.ms) * 1000, reply.mid(at));
            break;
        }
        case SimFault::Delay:
            parts.emplace_back(now + qint64(fault.ms) * 1000, reply);
            break;
        case SimFault::Exception:
            parts.emplace_back(now, reply); // answerFrame built the exception reply
            break;
        case SimFault::WrongEcho:
            if (quint8(reply[1]) == 16 && reply.size() == 8) {
                const quint16 a = be16(reply, 2);
                const quint16 wrong = quint16((a & 0xF000) | ((a + 1) & 0x0FFF));
                reply[2] = char(wrong >> 8);
                reply[3] = char(wrong & 0xFF);
                reply = recrc(reply);
            } else if ((quint8(reply[1]) == 14 || quint8(reply[1]) == 15) && reply.size() == 8) {
                const quint16 wrong = quint16(be16(reply, 4) + 1);
                reply[4] = char(wrong >> 8);
                reply[5] = char(wrong & 0xFF);
                reply = recrc(reply);
            }
            parts.emplace_back(now, reply);
            break;
        case SimFault::OneByte:
            parts.emplace_back(now, reply.left(1));
            break;
        case SimFault::BadByteCount:
            if (quint8(reply[1]) == 3 || quint8(reply[1]) == 4) {
                reply[2] = char(quint8(reply[2]) + 2);
                reply = recrc(reply);
            }
            parts.emplace_back(now, reply);
            break;
        case SimFault::ExtraReply:
            parts.emplace_back(now, reply);
            parts.emplace_back(now + qint64(fault.ms) * 1000, reply);
            break;
        }
    }
    // The device's turnaround, of which the silence that ended the request has passed
    // already.
    const qint64 lineUs = qint64(qMax(0, m_turnaroundMs - SilenceMs)) * 1000;
    if (m_linePacing) {
        // 10 bits per byte at 115200 baud: the request's bytes, then the reply's, which
        // trickle out in small pieces as a real line delivers them.
        std::vector<std::pair<qint64, QByteArray>> paced;
        const qint64 requestUs = qint64(chunk.size()) * 868 / 10;
        for (const auto& part : parts) {
            for (int at = 0; at < part.second.size(); at += 16) {
                const QByteArray piece = part.second.mid(at, 16);
                const qint64 sent = at + piece.size();
                paced.emplace_back(part.first + requestUs + sent * 868 / 10, piece);
            }
        }
        parts.swap(paced);
    }
    for (const auto& part : parts) {
        req.reply.append(part.second);
        schedule(part.first + lineUs, part.second, req.serial);
    }
    req.answered = !parts.empty();
    logLocked(req);
}

QByteArray SimDetector::answerFrame(std::unique_lock<std::mutex>& lock, SimRequest& req,
                                    const SimFault* fault)
{
    const QByteArray& f = req.raw;
    const quint8 address = quint8(req.address);
    const quint8 fn = quint8(req.function);
    if (fault && fault->kind == SimFault::Exception)
        return exceptionReply(address, fn, quint8(fault->exceptionCode));

    QByteArray reply;
    reply.append(char(address));
    reply.append(char(fn));

    switch (fn) {
    case 3:
    case 4: {
        if (f.size() != 8)
            return exceptionReply(address, fn, 3);
        const Kind kind = fn == 3 ? Kind::Holding : Kind::Input;
        if (!mappedLocked(kind, req.reg, false))
            return exceptionReply(address, fn, 2);
        if (req.count < 1 || req.count > 125)
            return exceptionReply(address, fn, 3);
        if (req.reg + req.count > RegistersPerPage)
            return exceptionReply(address, fn, 2);
        calibrationBeforeReadLocked(req);
        reply.append(char(2 * req.count));
        for (int i = 0; i < req.count; ++i)
            putBe16(reply, m_registers[index(kind, req.page, req.reg + i)]);
        return withCrc(reply);
    }
    case 16: {
        if (f.size() < 9 || quint8(f[6]) != 2 * req.count || f.size() != 9 + 2 * req.count)
            return exceptionReply(address, fn, 3);
        if (!mappedLocked(Kind::Holding, req.reg, true))
            return exceptionReply(address, fn, 2);
        if (req.count < 1 || req.count > 123)
            return exceptionReply(address, fn, 3);
        if (req.reg + req.count > RegistersPerPage)
            return exceptionReply(address, fn, 2);
        for (int i = 0; i < req.count; ++i)
            m_registers[index(Kind::Holding, req.page, req.reg + i)] = be16(f, 7 + 2 * i);
        calibrationAfterWriteLocked(req);
        reply.append(f.mid(2, 4));
        return withCrc(reply);
    }
    case 12: {
        if (f.size() != 8)
            return exceptionReply(address, fn, 3);
        ArchiveReadHandler handler = m_archiveRead;
        ArchiveReply records;
        if (handler) {
            lock.unlock();
            records = handler(quint16(req.firstRecord), quint16(req.count));
            lock.lock();
        } else if (m_logRingSize > 0) {
            records = logRingReply(quint16(req.firstRecord), quint16(req.count));
        }
        reply.append(char(records.count & 0xFF));
        reply.append(records.records);
        return withCrc(reply);
    }
    case 14:
    case 15: {
        if (f.size() < 9 || f.size() != 9 + quint8(f[6]))
            return exceptionReply(address, fn, 3);
        DataBlockHandler handler = m_dataBlock;
        bool accepted = true;
        if (handler) {
            lock.unlock();
            accepted = handler(fn, req.blockAddress, req.data);
            lock.lock();
        }
        if (!accepted)
            return exceptionReply(address, fn, 4);
        reply.append(f.mid(2, 4));
        return withCrc(reply);
    }
    case 20: {
        if (f.size() != 12)
            return exceptionReply(address, fn, 3);
        RangeSearchHandler handler = m_rangeSearch;
        std::pair<quint32, quint32> range{0, 0};
        if (handler) {
            lock.unlock();
            range = handler(req.startTime, req.stopTime);
            lock.lock();
        } else if (m_logRingSize > 0) {
            range = logRingRange(req.startTime, req.stopTime);
        }
        // The record numbers come back little-endian, unlike everything else on the line.
        putLe32(reply, range.first);
        putLe32(reply, range.second);
        return withCrc(reply);
    }
    default:
        return exceptionReply(address, fn, 1);
    }
}

// --- firmware uploads ---

namespace
{
bool isFirmwareBlock(const SimRequest& r)
{
    return r.crcOk && (r.function == 14 || r.function == 15);
}
bool echoed(const SimRequest& r)
{
    return r.answered && r.reply.size() >= 2 && quint8(r.reply[1]) == quint8(r.function);
}
bool isUploadCommand(int reg)
{
    return reg == 1 || (reg >= 3 && reg <= 5) || (reg >= 16 && reg <= 18);
}
} // namespace

QVector<SimDetector::FirmwareBlock> SimDetector::firmwareBlocks() const
{
    const QVector<SimRequest> log = requests();
    QVector<FirmwareBlock> blocks;
    for (const SimRequest& r : log) {
        if (!isFirmwareBlock(r) || !echoed(r))
            continue;
        // The same block again right after itself is the program's retry of an answer it
        // missed (late on a loaded machine): the device wrote it once more at the same place.
        if (!blocks.isEmpty() && blocks.last().function == r.function &&
            blocks.last().address == r.blockAddress && blocks.last().data == r.data)
            continue;
        blocks.append(FirmwareBlock{r.function, r.blockAddress, r.data});
    }
    return blocks;
}

QByteArray SimDetector::firmwareBytes() const
{
    QByteArray bytes;
    for (const FirmwareBlock& b : firmwareBlocks())
        bytes.append(b.data);
    return bytes;
}

QStringList SimDetector::firmwareTraffic() const
{
    const QVector<SimRequest> log = requests();
    QStringList traffic;
    for (const SimRequest& r : log) {
        if (isFirmwareBlock(r)) {
            traffic.append(QStringLiteral("f%1@%2+%3")
                               .arg(r.function)
                               .arg(r.blockAddress, 0, 16)
                               .arg(r.data.size()));
        } else if (r.crcOk && r.function == 16 && r.page == DevicePage && isUploadCommand(r.reg)) {
            QStringList values;
            for (quint16 v : r.values())
                values.append(QString::number(v));
            traffic.append(QStringLiteral("w%1=%2").arg(r.reg).arg(values.join(',')));
        }
    }
    return traffic;
}

void SimDetector::failFirmwareBlock(int function, int n, SimFault::Kind kind, int code)
{
    addFault(SimFault(kind, function).attempts(n, -1).code(code));
}

// --- device log ring ---

QByteArray SimDetector::logRingRecord(quint32 number, int recordSize)
{
    QByteArray r(recordSize, '\0');
    const quint16 type = number % 2 ? 1 : 4;
    r[0] = char(type & 0xFF);
    const quint32 time = 1000 + 60 * number;
    for (int i = 0; i < 4; ++i) {
        r[4 + i] = char((number >> (8 * i)) & 0xFF);
        r[8 + i] = char((time >> (8 * i)) & 0xFF);
    }
    for (int i = 24; i < recordSize; ++i)
        r[i] = char((number * 7 + quint32(i)) & 0xFF);
    return r;
}

void SimDetector::setLogRing(int recordSize, quint32 start, quint32 current)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_logRingSize = recordSize;
        m_logRingStart = start;
    }
    // 528 intervals (low byte minutes, high byte seconds in threshold mode),
    // 529/530 start and 531/532 current (low half first), 533 recording on.
    setHolding(DevicePage, 528, 0x0A05);
    setHolding32(DevicePage, 529, start);
    setHolding(DevicePage, 533, 1);
    setLogRingCurrent(current);
}

void SimDetector::setLogRingCurrent(quint32 current)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_logRingCurrent = current;
    }
    setHolding32(DevicePage, 531, current);
}

SimDetector::ArchiveReply SimDetector::logRingReply(quint16 first, quint16 count) const
{
    ArchiveReply reply;
    reply.count = count;
    quint32 number = (m_logRingCurrent & ~0xFFFFu) | first;
    if (number >= m_logRingCurrent)
        number -= 0x10000;
    for (int i = 0; i < count; ++i)
        reply.records += logRingRecord(number + quint32(i), m_logRingSize);
    return reply;
}

std::pair<quint32, quint32> SimDetector::logRingRange(quint32 start, quint32 stop) const
{
    quint32 first = m_logRingStart;
    while (first < m_logRingCurrent && 1000 + 60 * first < start)
        ++first;
    quint32 end = first;
    while (end < m_logRingCurrent && 1000 + 60 * end <= stop)
        ++end;
    return {first, end - 1};
}

// --- calibration ---

namespace
{
bool covers(const SimRequest& req, int reg)
{
    return req.reg <= reg && reg < req.reg + req.count;
}
} // namespace

void SimDetector::setChannelCalibration(int ms, bool refuse)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calibrationArmed = true;
    m_calibrationMs = ms;
    m_calibrationRefuses = refuse;
    m_pendingCalibrations.clear();
}

void SimDetector::setBumpTest(int polls, bool passes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bumpPolls = polls < 1 ? 1 : polls;
    m_bumpPasses = passes;
    m_bumpRunning = false;
    m_bumpSeen = 0;
}

bool SimDetector::calibrationMode(int channel) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const int reg = flagRegisterLocked();
    return reg > 0 && (m_registers[index(Kind::Holding, channel, reg)] & (1u << 8)) != 0;
}

void SimDetector::setMeasurementRamp(int channel, float start, float perSecond, int divisor)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = m_ramps.begin(); it != m_ramps.end(); ++it)
        if (it->channel == channel) {
            m_ramps.erase(it);
            break;
        }
    m_ramps.push_back({channel, start, perSecond, divisor < 1 ? 1 : divisor, nowUs()});
}

// The channel flag word: a u16 at 546 in the classic map, the low half of a u32 at 548 in
// the extended one (the status word follows at 547 and 550).
int SimDetector::flagRegisterLocked() const
{
    switch (m_layout) {
    case Layout::Classic:
        return 546;
    case Layout::Extended:
        return 548;
    case Layout::Open:
        break;
    }
    return -1;
}

void SimDetector::calibrationAfterWriteLocked(const SimRequest& req)
{
    if (m_bumpPolls > 0 && req.page == DevicePage && covers(req, 544)) {
        const bool start = (m_registers[index(Kind::Holding, DevicePage, 544)] & (1u << 8)) != 0;
        m_bumpRunning = start;
        m_bumpSeen = 0;
    }
    const int flags = flagRegisterLocked();
    if (!m_calibrationArmed || flags < 0 || !covers(req, flags))
        return;
    const quint16 word = m_registers[index(Kind::Holding, req.page, flags)];
    for (int bit = 0; bit < 2; ++bit) {
        if (word & (1u << bit))
            continue;
        bool running = false;
        for (const PendingCalibration& p : m_pendingCalibrations)
            running = running || (p.page == req.page && p.bit == bit);
        if (!running)
            m_pendingCalibrations.push_back(
                {req.page, bit, req.timeUs + qint64(m_calibrationMs) * 1000, m_calibrationRefuses});
    }
}

void SimDetector::calibrationBeforeReadLocked(const SimRequest& req)
{
    const int flags = flagRegisterLocked();
    const int status = m_layout == Layout::Classic ? 547 : 550;
    for (auto it = m_pendingCalibrations.begin(); it != m_pendingCalibrations.end();) {
        if (it->dueUs > req.timeUs) {
            ++it;
            continue;
        }
        quint16& flag = m_registers[index(Kind::Holding, it->page, flags)];
        quint16& word = m_registers[index(Kind::Holding, it->page, status)];
        const quint16 failed = quint16(1u << (7 + it->bit));
        flag = quint16(flag | (1u << it->bit));
        word = it->refuse ? quint16(word | failed) : quint16(word & ~failed);
        it = m_pendingCalibrations.erase(it);
    }

    if (req.function == 3 && m_bumpRunning && req.page == DevicePage && covers(req, 544)) {
        if (++m_bumpSeen >= m_bumpPolls) {
            quint16& word = m_registers[index(Kind::Holding, DevicePage, 544)];
            word = quint16(word & ~(1u << 8));
            word = m_bumpPasses ? quint16(word | (1u << 7)) : quint16(word & ~(1u << 7));
            m_bumpRunning = false;
        }
    }

    if (req.function != 4)
        return;
    const bool extended = m_layout == Layout::Extended;
    const bool t6m = m_modelCode == 420 || m_modelCode == 421;
    for (MeasurementRamp& r : m_ramps) {
        const float value = r.start + r.perSecond * float(req.timeUs - r.fromUs) / 1e6f;
        if (extended) {
            quint32 bits = 0;
            std::memcpy(&bits, &value, sizeof bits);
            m_registers[index(Kind::Input, r.channel, 45)] = quint16(bits & 0xFFFF);
            m_registers[index(Kind::Input, r.channel, 46)] = quint16(bits >> 16);
        } else {
            const double raw = std::nearbyint(double(value) * r.divisor);
            const quint16 u = quint16(raw < 0 ? 0 : raw > 65535 ? 65535 : raw);
            if (t6m)
                m_registers[index(Kind::Input, r.channel, 40)] = u;
            else
                m_registers[index(Kind::Input, DevicePage, 261 + 7 * r.channel)] = u;
        }
    }
}
