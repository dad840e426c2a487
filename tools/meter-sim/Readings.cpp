#include "Readings.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <vector>

namespace quellin::sim {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Periods of the slow patterns, in seconds of the meter's clock.
constexpr double kLoadPeriod = 600;
constexpr double kFlickerPeriod = 47;
constexpr double kVoltagePeriod = 1800;
constexpr double kPowerFactorPeriod = 900;
constexpr double kLeakagePeriod = 1200;
constexpr double kTemperaturePeriod = 3600;

double wave(double second, double period, double phase)
{
    return std::sin(kTwoPi * second / period + phase);
}

} // namespace

ReadingGenerator::ReadingGenerator(std::uint64_t seed, int wiring, int frequency)
    : rng_(seed), wiring_(wiring), frequency_(frequency)
{
    setWiring(wiring);
    loadAmps_ = uniform(8.0, 20.0);
    for (double& p : phase_)
        p = uniform(0, kTwoPi);
}

double ReadingGenerator::uniform(double low, double high)
{
    // From the raw 64-bit output, so that the sequence is the same with every
    // standard library (the distributions' algorithms are not specified).
    const double unit = double(rng_() >> 11) * 0x1.0p-53;
    return low + (high - low) * unit;
}

void ReadingGenerator::setWiring(int wiring)
{
    wiring_ = wiring;
    nominalVolts_ = wiring == 2 ? 200.0 : 100.0;
}

Reading ReadingGenerator::next(std::uint64_t stepSeconds)
{
    const double t = double(second_);
    second_ += stepSeconds;
    Reading r;

    const double drift = 1.5 * wave(t, kVoltagePeriod, phase_[0]);
    const double vR = nominalVolts_ + 1.0 + drift + uniform(-0.3, 0.3);
    const double vT = nominalVolts_ + 0.5 + drift + uniform(-0.3, 0.3);
    const double load =
        0.55 + 0.3 * wave(t, kLoadPeriod, phase_[1]) + 0.08 * wave(t, kFlickerPeriod, phase_[2]);
    const double iR = std::max(0.0, loadAmps_ * load + uniform(-0.05, 0.05));
    const double iT = std::max(0.0, loadAmps_ * (load * 0.92) + uniform(-0.05, 0.05));
    const double pf = 0.9 + 0.06 * wave(t, kPowerFactorPeriod, phase_[3]) + uniform(-0.004, 0.004);

    const bool twoWire = wiring_ == 0;
    r.voltageR = float(vR);
    r.currentR = float(iR);
    r.voltageT = twoWire ? 0.0f : float(vT);
    r.currentT = twoWire ? 0.0f : float(iT);
    const double s = apparentPower(wiring_, r.voltageR, r.currentR, r.voltageT, r.currentT);
    r.power = float(s * pf);
    r.powerFactor = float(100.0 * pf);
    r.frequency = float(frequency_ + uniform(-0.05, 0.05));

    const double leak = wave(t, kLeakagePeriod, phase_[4]);
    r.leakage[0] = float(std::clamp(4.0 + 3.0 * leak + uniform(-0.2, 0.2), 0.0, 50.0));
    r.leakage[1] = float(std::clamp(1.5 + 1.0 * leak + uniform(-0.1, 0.1), 0.0, 50.0));
    r.leakage[2] = float(std::clamp(12.0 + 8.0 * leak + uniform(-0.5, 0.5), 0.0, 50.0));
    const double warm = wave(t, kTemperaturePeriod, phase_[5]);
    r.temperature[0] = float(std::clamp(24.0 + 6.0 * warm + uniform(-0.1, 0.1), 15.0, 40.0));
    r.temperature[1] = float(std::clamp(31.0 + 4.0 * warm + uniform(-0.1, 0.1), 15.0, 40.0));
    return r;
}

double apparentPower(int wiring, double vR, double iR, double vT, double iT)
{
    switch (wiring) {
    case 0:
        return vR * iR;
    case 1:
        return vR * iR + vT * iT;
    case 2:
        return (vR * iR + vT * iT) * std::sqrt(3.0) / 2.0;
    default:
        return 0.0;
    }
}

QString hexOfSingle(float value)
{
    return QStringLiteral("%1")
        .arg(std::bit_cast<std::uint32_t>(value), 8, 16, QLatin1Char('0'))
        .toUpper();
}

bool singleOfHex(const QString& hex, float& value)
{
    if (hex.size() != 8)
        return false;
    bool ok = false;
    const std::uint32_t bits = hex.toUInt(&ok, 16);
    if (!ok)
        return false;
    value = std::bit_cast<float>(bits);
    return true;
}

QString measuredLine(int version, const Reading& r, const QDateTime& time)
{
    const QLatin1Char sep(',');
    QString line = QStringLiteral("RML0000");
    const float seven[] = {r.voltageR, r.voltageT,    r.currentR, r.currentT,
                           r.power,    r.powerFactor, r.frequency};
    for (int i = 0; i < 7; ++i) {
        if (i > 0)
            line += sep;
        line += hexOfSingle(seven[i]);
    }
    line += sep;
    line += time.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    if (version >= 2) {
        for (float v : r.leakage)
            line += sep + hexOfSingle(v);
        for (float v : r.temperature)
            line += sep + hexOfSingle(v);
    }
    return line;
}

QString memoryLine(int version, int number, const Reading& r)
{
    QString line = QStringLiteral("RMM%1").arg(number % 10000, 4, 10, QLatin1Char('0'));
    std::vector<float> fields = {r.voltageR, r.voltageT, r.currentR,
                                 r.currentT, r.power,    r.powerFactor};
    if (version >= 2) {
        fields.insert(fields.end(), r.leakage.begin(), r.leakage.end());
        fields.insert(fields.end(), r.temperature.begin(), r.temperature.end());
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        line += hexOfSingle(fields[i]);
    }
    return line;
}

QString damagedMemoryLine(const QString& line, int kind)
{
    // Offsets in the whole line: field 1 at 7, field 5 (active power) at 43.
    switch (kind % 3) {
    case 0:
        return line.left(30);
    case 1:
        return QString(line).replace(9, 1, QLatin1Char('G'));
    default:
        return QString(line).replace(43, 8, QLatin1String("7F800000")); // infinity
    }
}

QString garbageLine(std::mt19937_64& rng)
{
    const int length = 1 + int(rng() % 140);
    QString line;
    line.reserve(length);
    for (int i = 0; i < length; ++i)
        line += QLatin1Char(char(0x20 + rng() % 95)); // printable ASCII, no CR or LF
    return line;
}

QString overlongLine()
{
    QString line = QStringLiteral("RML0000");
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; line.size() < kOverlongLength; ++i)
        line += QLatin1Char(kDigits[i % 16]);
    return line;
}

} // namespace quellin::sim
