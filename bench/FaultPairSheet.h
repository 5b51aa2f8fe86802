// A data sheet full of fault/striae pairs for the export benchmarks: 2500 faults of every sense
// and qualifier, their striae in their planes, the same for a given seed.

#pragma once

#include "model/DataSheet.h"
#include "model/Trigo.h"

#include <numbers>
#include <random>
#include <string>

namespace ploq::bench {

inline DataSheet FaultPairSheet(unsigned seed = 40)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> turn(0, 2 * std::numbers::pi);
    std::uniform_real_distribution<double> dip(0.05, 1.5);
    std::uniform_real_distribution<double> pitch(0, std::numbers::pi);
    const char* natures[] = {"N1B", "RM2", "DF3", "S..", "I.4"};
    DataSheet sheet;
    sheet.lFrtS = 1;
    sheet.lFrtL = 1;
    for (int pair = 0; pair < kMaxValues / 2; ++pair) {
        const double dipDirection = turn(random);
        const double d = dip(random);
        const Direction striae = PitchToLine(pitch(random), d, dipDirection - std::numbers::pi / 2);
        const std::string codes = natures[pair % 5];
        for (int k = 0; k < 2; ++k) {
            const int row = 2 * pair + 1 + k;
            if (row > 1)
                sheet.appendRow();
            sheet.setField(row, Field::Nature, (k == 0 ? "F" : "L") + codes);
            sheet.setField(row, Field::Number, std::to_string(pair + 1) + "a");
            sheet.setField(row, Field::Location, pair % 3 ? "Quarry" : "Road cut");
            const auto slot = static_cast<std::size_t>(row);
            sheet.ltAz[slot] =
                k == 0 ? NormalizeTrend(dipDirection + std::numbers::pi) : striae.trend;
            sheet.ltPe[slot] = k == 0 ? std::numbers::pi / 2 - d : striae.plunge;
            sheet.setField(
                row, Field::Value,
                DirToText(true, k == 0, sheet.ltPe[slot], sheet.ltAz[slot], sheet.notation()));
        }
    }
    sheet.Numeroter();
    return sheet;
}

} // namespace ploq::bench
