#pragma once

// The global `command` put back to a known state between test cases, and
// connected to a simulated detector.

#include "command.h"
#include "imageparts.h"
#include "simdetector.h"

#include <cstring>

// Every byte of the parameter image and the Command fields the register maps fill, zero.
inline void clearImage()
{
    memset(command.classicChannels, 0, sizeof command.classicChannels);
    memset(&command.classicDevice, 0, sizeof command.classicDevice);
    command.classicSpareWord = 0;
    memset(command.classicExtras, 0, sizeof command.classicExtras);
    command.classicLanguage = 0;
    memset(command.classicSpare, 0, sizeof command.classicSpare);
    memset(command.extendedChannels, 0, sizeof command.extendedChannels);
    memset(&command.extendedDevice, 0, sizeof command.extendedDevice);
    command.extendedSpareWord = 0;
    command.extendedLanguage = 0;
    memset(command.extendedSpare, 0, sizeof command.extendedSpare);
    command.firmwareVersion = 0;
    memset(command.bleMac, 0, sizeof command.bleMac);
    memset(command.loraId, 0, sizeof command.loraId);
    command.firmwareEndFlag = 0;
    command.firmwareEndAddress = 0;
    command.tempSensorCalibration = 0;
}

// Every byte of the parameter image, to prove that something changed nothing.
inline QByteArray imageSnapshot()
{
    QByteArray s;
    forEachImagePart(
        [&s](const void* p, size_t n) { s.append(static_cast<const char*>(p), int(n)); });
    return s;
}

// One of the program's reply time-outs changed for a scope and put back when it
// ends, however the test leaves it (a failed check returns at once).
class TimeoutOverride
{
public:
    TimeoutOverride(TimeoutIndex which, quint16 ms)
        : m_which(which), m_saved(command.timeouts[which])
    {
        command.timeouts[which] = ms;
    }
    ~TimeoutOverride() { command.timeouts[m_which] = m_saved; }
    TimeoutOverride(const TimeoutOverride&) = delete;
    TimeoutOverride& operator=(const TimeoutOverride&) = delete;

private:
    const TimeoutIndex m_which;
    const quint16 m_saved;
};

// The simulator's layout for one of the program's register maps.
inline SimDetector::Layout simLayoutOf(int map)
{
    return map == ClassicMap ? SimDetector::Layout::Classic : SimDetector::Layout::Extended;
}

// How long the program waits for the first bytes of a reply from the simulator. The device's
// own time-outs (85 ms for most requests) leave no room for a simulator thread that a loaded
// machine wakes late: a late reply would turn into a retry, an extra request in the log. An
// answer is therefore waited for long enough that lateness never matters; it comes at once,
// so this costs nothing. A test about time-outs themselves sets what it needs, and a test
// whose requests go unanswered shortens it to SilentAttemptsReplyMs.
constexpr quint16 PatientReplyMs = 3000;
// Where attempts are to go unanswered, every silent attempt costs the whole time-out: this one
// keeps such tests quick and is still many times any lateness seen under heavy load. Shorter
// is not safe even where nothing is ever answered: the program clears the line before each
// attempt, which drops an attempt the simulator's thread has not read yet.
constexpr quint16 SilentAttemptsReplyMs = 500;

// The first-reply time-outs of every exchange made patient (see PatientReplyMs); the time-out
// between the chunks of one reply stays the device's, as the simulator writes a reply at once.
inline void patientReplyTimeouts()
{
    for (TimeoutIndex which : {TimeoutFirstReply, TimeoutFirstReplyT6, TimeoutArchiveFirstReply,
                               TimeoutDataBlockFirstReply, TimeoutRangeFirstReply})
        command.timeouts[which] = qMax(command.timeouts[which], PatientReplyMs);
}

// Everything that reached the simulator so far, made certain rather than waited for: a read of
// page 0, register 258 goes out behind it and the simulator takes requests in the order they
// come, so once that read is answered whatever was sent before it is in the log. Returns the
// log without the read and its wake-up preamble (all of it when the read failed, for the
// caller's comparison to show). The program is connected for the read and left as it was.
inline QVector<SimRequest> requestsBeforeMarker(const SimDetector& sim)
{
    const quint16 wasConnected = command.connected;
    command.connected = 1;
    const TransactionResult marker = command.transact(3, 0, 258, 1);
    command.connected = wasConnected;
    QVector<SimRequest> log = sim.requests();
    if (marker != ResultOk || log.isEmpty() || !log.last().crcOk || log.last().function != 3 ||
        log.last().page != 0 || log.last().reg != 258)
        return log;
    const QByteArray read = log.takeLast().raw;
    if (!log.isEmpty() && log.last().fragment && read.startsWith(log.last().raw))
        log.removeLast();
    return log;
}

// Opens the program's port on the simulator, as the connection dialog would.
inline bool connectToSimulator(const SimDetector& sim)
{
    patientReplyTimeouts();
    command.serialPort.setPortName(sim.portPath());
    command.serialPort.setBaudRate(115200);
    if (!command.serialPort.isOpen() && !command.serialPort.open(QIODevice::ReadWrite))
        return false;
    command.connected = 1;
    // A new connection: no layout is known yet.
    command.registerMapProbed = false;
    command.registerMapDecided = false;
    return true;
}

// The image's layout taken as told by a probe of this connection, for the model now set
// (writes of the image wait for that): where a test starts from a known device.
inline void layoutTold()
{
    command.registerMapDecided = true;
    command.probedModel = command.modelCode;
}

// The program disconnected and its port closed, at the end of a test program.
inline void closeProgramPort()
{
    command.connected = 0;
    command.serialPort.close();
}

// Starts the simulator and opens the program's port on it, once per test program.
inline bool startSimulator(SimDetector& sim)
{
    return sim.start() && connectToSimulator(sim);
}

// Between test cases: the image cleared and the program connected to an
// extended-layout detector of `model` (the image carries the model code too) at
// the default slave address, one second a tick; the simulator with no faults and
// an empty request log.
inline void resetExtendedSimulator(SimDetector& sim, quint16 model)
{
    clearImage();
    command.connected = 1;
    command.modbusAddress = 255;
    command.secondsPerTick = 1.0;
    command.registerMap = ExtendedMap;
    command.modelCode = model;
    layoutTold();
    sim.setProfile(SimDetector::Layout::Extended, model);
    sim.clearFaults();
    sim.clearLog();
}
