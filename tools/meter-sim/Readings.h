#pragma once
// The meter's readings and the measured-data line that carries them.
//
// Measured-data line (positions count from 1 after "RML"):
//   1-4 status "0000"; readings of 8 upper-case hex digits (IEEE-754 single,
//   most significant byte first) at 5, 14, 23, 32, 41, 50, 59 with "," between;
//   "," at 67; time "yyyy/mm/dd hh:mm:ss" at 68-86. Version 2 goes on with ","
//   and five readings at 88, 97, 106, 115, 124. So a version-1 line has 89
//   characters with "RML", a version-2 line 134.

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <random>

namespace quellin::sim {

struct Reading {
    float voltageR = 0;                 // V
    float voltageT = 0;                 // V
    float currentR = 0;                 // A
    float currentT = 0;                 // A
    float power = 0;                    // active power, W
    float powerFactor = 0;              // %
    float frequency = 0;                // Hz
    std::array<float, 3> leakage{};     // mA
    std::array<float, 2> temperature{}; // degrees Celsius
};

// Plausible, slowly changing readings; the same seed, wiring and frequency give
// the same sequence.
class ReadingGenerator {
public:
    ReadingGenerator(std::uint64_t seed, int wiring, int frequency);

    // The reading stepSeconds after the previous one (the first is at second 0).
    Reading next(std::uint64_t stepSeconds = 1);
    // A new measuring line from the next reading on; the sequence of random
    // numbers goes on unchanged.
    void setWiring(int wiring);

private:
    double uniform(double low, double high);

    std::mt19937_64 rng_;
    int wiring_;
    int frequency_;
    std::uint64_t second_ = 0;
    double nominalVolts_;
    double loadAmps_;
    std::array<double, 6> phase_{}; // seed-dependent phases of the slow patterns
};

// Apparent power by wiring mode (0 single-phase two-wire, 1 single-phase
// three-wire, 2 three-phase three-wire), as the program computes it.
double apparentPower(int wiring, double vR, double iR, double vT, double iT);

// Eight upper-case hex digits of the single, most significant byte first.
QString hexOfSingle(float value);
// The reverse, for checks; nothing when the text is not eight hex digits.
bool singleOfHex(const QString& hex, float& value);

// "RML" + the fields above; version 1 or 2 (higher versions send the version-2 layout).
QString measuredLine(int version, const Reading& reading, const QDateTime& time);

constexpr int kGarbageEvery = 5;
constexpr int kOverlongLength = 600;

// Memory record line of a download: "RMM", the record number in its block as
// 4 digits, then the readings as 8 hex digits with "," between: voltage R and
// T, current R and T, active power, power factor and, for version 2, the three
// leakage currents and two temperatures. Field k starts at 5 + 9 * (k - 1)
// after "RMM": 60 characters in all for version 1, 105 for version 2.
QString memoryLine(int version, int number, const Reading& reading);
// A memory record line damaged in one of three ways, chosen by `kind` modulo 3:
// cut short, a field that is not hex, a field that is not a finite number.
QString damagedMemoryLine(const QString& line, int kind);

// One line of printable ASCII garbage (never containing CR or LF), 1-140 characters.
QString garbageLine(std::mt19937_64& rng);
// A 600-character line that begins like a measured-data line.
QString overlongLine();

} // namespace quellin::sim
