#pragma once
// The 140-byte data record, identical in memory and in TMP.DAT:
//
//   offset  size  column  content
//        0     4       0  record number (int32); -1 marks an empty page slot
//        4     8       1  time (date value: days since 1899-12-30)
//       12     8       2  voltage R (V)          76   8  10  frequency (Hz)
//       20     8       3  voltage T (V)          84   8  11  integrated energy (kWh)
//       28     8       4  current R (A)          92   8  12  integration time (h)
//       36     8       5  current T (A)         100   8  13  leakage current 1 (mA)
//       44     8       6  active power (W)      108   8  14  leakage current 2 (mA)
//       52     8       7  reactive power (Var)  116   8  15  leakage current 3 (mA)
//       60     8       8  apparent power (VA)   124   8  16  temperature 1
//       68     8       9  power factor (%)      132   8  17  temperature 2
//
// Little-endian, no padding.

#include <bit>
#include <cstdint>

namespace quellin {

constexpr int kRecordBytes = 140;
constexpr int kMaxColumns = 18; // columns 0..17
constexpr int kMaxSeries = 14;  // series 0..13
constexpr int kMaxRecords = 32767;
// A measurement stores the record that passes the limit (the next display tick
// then ends it) and none after it, however fast lines arrive; a file of that
// many records still loads.
constexpr int kMaxStoredRecords = kMaxRecords + 1;

#pragma pack(push, 1)
struct DataRecord {
    std::int32_t number = 0;
    double fields[kMaxColumns - 1] = {}; // columns 1..17 at fields[c - 1]

    double column(int c) const { return fields[c - 1]; }   // c = 1..17
    void setColumn(int c, double v) { fields[c - 1] = v; } // c = 1..17
    double time() const { return fields[0]; }
    void setTime(double t) { fields[0] = t; }
    bool isEmptySlot() const { return number == -1; }
};
#pragma pack(pop)

static_assert(sizeof(DataRecord) == kRecordBytes, "the record is 140 bytes on disk");
static_assert(std::endian::native == std::endian::little,
              "records are written as they lie in memory, which must be little-endian");

} // namespace quellin
