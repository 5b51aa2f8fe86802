// ploq-cli circles: the best great circle of the lines of one plane is its pole, the best
// small circle and the chi2 analysis of lines exactly on a cone give that cone; too few values
// and a failed fit are said as the menu says them.

#include "model/Trigo.h"
#include "support/Draws.h"
#include "support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "CliRun.h"

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

namespace fs = std::filesystem;
using test::StoredRow;

constexpr double kDeg = std::numbers::pi / 180;

struct CliCircles : ::testing::Test {
    QString sheet(const std::string& name, const std::vector<Direction>& lines)
    {
        std::vector<StoredRow> rows;
        for (const Direction& d : lines)
            rows.push_back({"L", d.trend / kDeg, d.plunge / kDeg});
        const fs::path path = dir.path() / name;
        test::WriteSheetFile(path, rows);
        return QString::fromStdString(path.string());
    }
    test::CliOutcome run(const QStringList& arguments) { return test::RunCli(arguments, dir.path()); }
    static QJsonObject parsed(const test::CliOutcome& r)
    {
        EXPECT_EQ(r.status, 0) << r.err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    }
    static double angleDeg(const QJsonObject& line, double trend, double plunge)
    {
        const Vec3 a = DirToVec({line["trend"].toDouble() * kDeg, line["plunge"].toDouble() * kDeg});
        const Vec3 b = DirToVec({trend * kDeg, plunge * kDeg});
        return std::acos(std::min(1.0, std::fabs(Dot(a, b)))) / kDeg;
    }

    test::TempDir dir;
};

std::vector<Direction> Cone(double trend, double plunge, double aperture, int n)
{
    std::vector<Direction> out;
    for (int i = 0; i < n; ++i)
        out.push_back(test::Deviated({trend * kDeg, plunge * kDeg}, aperture * kDeg,
                                     2 * std::numbers::pi * i / n));
    return out;
}

TEST_F(CliCircles, LinesOnAConeGiveThatCone)
{
    const QString input = sheet("cone.plq", Cone(30, 70, 20, 24));
    const QJsonObject j = parsed(run({"circles", input, "--json"}));
    EXPECT_EQ(j["n"].toInt(), 24);
    const QJsonObject small = j["small_circle"].toObject();
    EXPECT_LT(angleDeg(small["axis"].toObject(), 30, 70), 0.01);
    EXPECT_NEAR(small["aperture"].toDouble(), 20, 0.01);
    EXPECT_EQ(small["part"].toInt(), 0) << "inside the net";
    const QJsonObject a = j["analysis"].toObject();
    EXPECT_LT(angleDeg(a["best_axis"].toObject(), 30, 70), 0.01);
    EXPECT_NEAR(a["best_aperture"].toDouble(), 20, 0.01);
    EXPECT_LT(a["ki2"].toDouble(), 1e-8);
    EXPECT_EQ(a["levels"].toArray().size(), 7);
    EXPECT_NEAR(a["range"].toObject()["trend_from"].toDouble(), 10, 0.01);
    EXPECT_NEAR(a["range"].toObject()["plunge_to"].toDouble(), 89, 0.01) << "70 + 20 capped";

    const test::CliOutcome text = run({"circles", input});
    const std::vector<std::string> lines = text.lines();
    const auto has = [&](const std::string& prefix) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.find(prefix) != std::string::npos; });
    };
    EXPECT_TRUE(has(" - Best great circle"));
    EXPECT_TRUE(has(" - Best small circle"));
    EXPECT_TRUE(has(" - Best small/great circle analysis"));
    EXPECT_TRUE(has("Analysis range : Az 10.0/50.0"));
}

TEST_F(CliCircles, GreatCircleOfOnePlaneIsItsPole)
{
    std::vector<Direction> plane;
    for (int i = 0; i < 10; ++i)
        plane.push_back(test::Deviated({120 * kDeg, 30 * kDeg}, std::numbers::pi / 2, 0.3 * i + 0.1));
    const QJsonObject j = parsed(run({"circles", sheet("plane.plq", plane), "--json"}));
    EXPECT_LT(angleDeg(j["great_circle"].toObject()["pole"].toObject(), 120, 30), 0.01);
    const QJsonObject small = j["small_circle"].toObject();
    EXPECT_TRUE(small["great_circle"].toBool()) << "on one great circle";
    EXPECT_NEAR(small["aperture"].toDouble(), 90, 1e-9);
}

TEST_F(CliCircles, TooFewValuesAndFailedFit)
{
    const std::vector<Direction> two = {{10 * kDeg, 40 * kDeg}, {100 * kDeg, 20 * kDeg}};
    const QString input = sheet("two.plq", two);
    const QJsonObject j = parsed(run({"circles", input, "--json"}));
    EXPECT_TRUE(j["small_circle"].isNull());
    EXPECT_TRUE(j["analysis"].isNull());
    const test::CliOutcome text = run({"circles", input});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Unsuccesfull calculation of the best small circle"), std::string::npos);
    EXPECT_NE(text.out.find("At least 3 displayed values are needed"), std::string::npos);

    const test::CliOutcome none = run({"circles", input, "--key", "S"});
    EXPECT_EQ(none.status, 1) << "no row selected";
}

} // namespace
} // namespace ploq
