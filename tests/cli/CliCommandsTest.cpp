// ploq-cli run as a script runs it, without a display: its pictures, its refusals and exit
// statuses, and its JSON numbers against independent computations (and, for Trackdip, the
// core's records).

#include "app/VarGlob.h"
#include "datasheet/SheetEntry.h"
#include "model/Conversion.h"
#include "stats3d/UtilTrackDip.h"
#include "support/TempDir.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include "CliRun.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <random>

namespace ploq {
namespace {

namespace fs = std::filesystem;
using test::RunCli;
using test::StoredRow;

constexpr double kPi = std::numbers::pi;

struct Vec {
    double x, y, z; // east, north, down
};

// A direction (degrees) as a unit vector, down positive.
Vec unit(double trend, double plunge)
{
    const double t = trend * kPi / 180;
    const double p = plunge * kPi / 180;
    return {std::cos(p) * std::sin(t), std::cos(p) * std::cos(t), std::sin(p)};
}

double dot(const Vec& a, const Vec& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

QJsonObject parsed(const test::CliOutcome& run)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out;
    return doc.object();
}

Vec lineOf(const QJsonObject& o)
{
    return unit(o["trend"].toDouble(), o["plunge"].toDouble());
}

// The pole of a plane given by its dip direction and dip.
Vec poleOf(const QJsonObject& o)
{
    return unit(o["dip_direction"].toDouble() + 180, 90 - o["dip"].toDouble());
}

struct CliCommands : ::testing::Test {
    fs::path sheet(const std::string& name, const std::vector<StoredRow>& rows)
    {
        const fs::path path = dir.path() / name;
        test::WriteSheetFile(path, rows);
        return path;
    }
    test::CliOutcome run(const QStringList& arguments, const QByteArray& input = {})
    {
        return RunCli(arguments, dir.path(), input);
    }
    static QString q(const fs::path& path) { return QString::fromStdString(path.string()); }

    // A run that must fail: its status, a part of its message, the output it must not leave.
    struct Refusal {
        QStringList arguments;
        int status;
        std::string message;
        fs::path output;
    };
    void expectRefused(const std::vector<Refusal>& cases)
    {
        for (const Refusal& c : cases) {
            const test::CliOutcome r = run(c.arguments);
            EXPECT_EQ(r.status, c.status) << c.arguments.join(' ').toStdString() << "\n" << r.err;
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
            EXPECT_TRUE(r.out.empty()) << r.out;
            if (!c.output.empty()) {
                EXPECT_FALSE(fs::exists(c.output)) << c.output;
            }
        }
    }

    test::TempDir dir;
};

std::vector<StoredRow> randomPlanes(int n, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> trend(0, 360);
    std::uniform_real_distribution<double> plunge(5, 80);
    std::vector<StoredRow> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back({"S" + std::to_string(i % 3), trend(random), plunge(random)});
    return rows;
}

TEST_F(CliCommands, SvgHoldsOnePathPerTraceInTheChosenColour)
{
    const fs::path input = sheet("planes.plq", randomPlanes(20, 3));
    const fs::path svg = dir.path() / "planes.svg";
    const test::CliOutcome r =
        run({"plot", q(input), "--traces", "--colour", "1", "--bare", "-o", q(svg)});
    ASSERT_EQ(r.status, 0) << r.err;
    QFile file(q(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::vector<QString> strokes{QStringLiteral("none")};
    std::map<QString, int> paths;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == u"g")
            strokes.pop_back();
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"g") {
            const QXmlStreamAttributes a = xml.attributes();
            strokes.push_back(a.hasAttribute("stroke") ? a.value("stroke").toString()
                                                       : strokes.back());
        } else if (xml.name() == u"path" || xml.name() == u"polyline") {
            ++paths[strokes.back()];
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    // Colour 1 is blue (0xFF0000 as Windows writes colours).
    EXPECT_EQ(paths[QStringLiteral("#0000ff")], 20);
    // The report is the plotting's panel text: a heading, then the selection and count.
    ASSERT_EQ(r.lines().size(), 2U) << r.out;
    EXPECT_EQ(r.lines()[1], " (no selection) - lines 1 to 20 (20 new val.)");
}

TEST_F(CliCommands, PdfIsReadByPdfinfo)
{
    const fs::path input = sheet("planes.plq", randomPlanes(12, 4));
    const fs::path pdf = dir.path() / "planes.pdf";
    ASSERT_EQ(run({"plot", q(input), "--net", "wulff", "--traces", "-o", q(pdf)}).status, 0);
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {q(pdf)});
    ASSERT_TRUE(pdfinfo.waitForFinished(30000));
    EXPECT_EQ(pdfinfo.exitCode(), 0);
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
}

// Three lines at known directions, projected by the equal-area formula
// r = R sqrt(2) sin((90 - plunge) / 2) written here, land on pixels of the symbol's colour.
TEST_F(CliCommands, PngCarriesTheSymbolColourAtTheProjectedLines)
{
    const std::vector<StoredRow> rows = {{"L1", 30, 40}, {"L1", 150, 10}, {"L1", 260, 70}};
    // The plane of pole 90/0 is vertical, striking north: its trace is the N-S diameter.
    std::vector<StoredRow> stored = rows;
    stored.push_back({"S", 90, 0});
    const fs::path input = sheet("lines.plq", stored);
    const fs::path png = dir.path() / "lines.png";
    const int radius = 150;
    const test::CliOutcome r =
        run({"plot", q(input), "--net", "schmidt", "--symbol", "6", "--colour", "2", "--bare",
             "--traces", "--radius", QString::number(radius), "-o", q(png)});
    ASSERT_EQ(r.status, 0) << r.err;
    std::error_code ignored;
    fs::create_directories(PLOQ_PICTURES, ignored);
    fs::copy_file(png, fs::path(PLOQ_PICTURES) / "cli-lines.png",
                  fs::copy_options::overwrite_existing, ignored);
    const QImage image(q(png));
    ASSERT_FALSE(image.isNull());
    const double side = 2 * radius + 30;
    const double scale = image.width() / side;
    EXPECT_GT(scale, 2); // 300 dpi from a screen's 96
    for (const StoredRow& row : rows) {
        const double rho = radius * std::sqrt(2.0) * std::sin((90 - row.plunge) * kPi / 360);
        const double x = radius + 15 + rho * std::sin(row.trend * kPi / 180);
        const double y = radius + 15 - rho * std::cos(row.trend * kPi / 180);
        const QColor c = image.pixelColor(static_cast<int>(std::lround(x * scale)),
                                          static_cast<int>(std::lround(y * scale)));
        EXPECT_EQ(c, QColor(255, 0, 0)) << row.trend << " " << row.plunge;
    }
    for (const double y : {radius / 2.0, 1.5 * radius})
        EXPECT_EQ(image.pixelColor(static_cast<int>(std::lround((radius + 15) * scale)),
                                   static_cast<int>(std::lround((15 + y) * scale))),
                  QColor(255, 0, 0))
            << "the trace at the picture's scale, " << y;
}

// Without any display the tool chooses the offscreen platform itself.
TEST_F(CliCommands, DrawsWithoutADisplay)
{
    const fs::path input = sheet("planes.plq", randomPlanes(5, 5));
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        bare.remove(QString::fromLatin1(name));
    const fs::path png = dir.path() / "planes.png";
    const test::CliOutcome r = RunCli({"plot", q(input), "-o", q(png)}, dir.path(), {}, bare);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(QImage(q(png)).isNull());
}

TEST_F(CliCommands, FailuresGiveTheirStatusAndMessageAndLeaveNoFile)
{
    const fs::path good = sheet("good.plq", randomPlanes(5, 6));
    const fs::path pairedPlanes = sheet("paired.plq", randomPlanes(4, 6));
    const fs::path shortFile = dir.path() / "short.plq";
    std::ofstream(shortFile, std::ios::binary) << "garbage";
    const fs::path badText = dir.path() / "bad.txt";
    std::ofstream(badText, std::ios::binary) << "120 S 10\r\n120 S 95\r\n";
    const fs::path out = dir.path() / "out.svg";
    const fs::path outSheet = dir.path() / "out.plq";
    expectRefused({
        {{"plot", q(dir.path() / "missing.plq"), "-o", q(out)}, 1, "missing.plq", out},
        {{"plot", q(shortFile), "-o", q(out)}, 1, "short.plq", out},
        {{"import", q(badText), "--raw", "--planes", "--format", "0", "-o", q(outSheet)},
         1,
         "bad.txt, line 2",
         outSheet},
        {{"calc", "95/400", "10/20", "--kinds", "PP", "--notation", "2"}, 1, "95/400", {}},
        {{"plot", q(good), "-o", q(out), "--frobnicate"}, 2, "Usage: ploq-cli plot", out},
        {{"plot", q(good), "-o", q(dir.path() / "out.gif")}, 2, "Usage:", dir.path() / "out.gif"},
        {{"nosuchcommand"}, 2, "Usage: ploq-cli", {}},
        {{"trackdip", q(good), "-o", q(out)}, 1, "Row 1: the location code is not a depth", out},
        {{"trackdip", q(good), "-o", q(dir.path() / "out.gif")},
         2,
         "Usage: ploq-cli trackdip",
         dir.path() / "out.gif"},
        // Planes are no fault pairs: the menu's check refuses them.
        {{"faults-export", q(pairedPlanes), "--format", "stress"},
         1,
         "Error on the data n\xC2\xB0"
         "1 : may be not a fault ?",
         {}},
        {{"faults-export", q(good), "--format", "yamaji", "-o", q(dir.path() / "out.fdt")},
         1,
         "Odd number of values in the datasheet : not only faults+striae pairs ?",
         dir.path() / "out.fdt"},
        {{"faults-export", q(good), "--format", "csv"}, 2, "Usage: ploq-cli faults-export", {}},
        {{"faults-export", q(good)}, 2, "--format is required", {}},
    });
}

TEST_F(CliCommands, ASheetFromStandardInputReadsAsTheFile)
{
    const fs::path input = sheet("planes.plq", randomPlanes(7, 7));
    std::ifstream in(input, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::string> fromFile = run({"info", q(input)}).lines();
    std::vector<std::string> fromStdin =
        run({"info", "-"}, QByteArray::fromStdString(bytes)).lines();
    ASSERT_EQ(fromFile.size(), 9U);
    ASSERT_EQ(fromStdin.size(), fromFile.size());
    EXPECT_EQ(fromStdin[0], "File -");
    fromFile.erase(fromFile.begin());
    fromStdin.erase(fromStdin.begin());
    EXPECT_EQ(fromStdin, fromFile);
}

TEST_F(CliCommands, SelectionByKeyAndLines)
{
    const fs::path input = sheet("planes.plq", randomPlanes(12, 8)); // natures S0, S1, S2 ...
    const auto rows = [&](const QStringList& selection) {
        const QJsonObject j = parsed(run(QStringList{"info", q(input), "--json"} + selection));
        std::vector<int> numbers;
        for (const QJsonValue row : j["rows"].toArray())
            numbers.push_back(row.toObject()["row"].toInt());
        return numbers;
    };
    EXPECT_EQ(rows({}).size(), 12U);
    EXPECT_EQ(rows({"--key", "S1", "--identity"}), (std::vector<int>{2, 5, 8, 11}));
    EXPECT_EQ(rows({"--lines", "4-6"}), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(rows({"--key", "S2", "--identity", "--lines", "1-6"}), (std::vector<int>{3, 6}));
}

// The eigenvalues and principal axis of the orientation tensor, computed here by Jacobi
// rotations on the poles of the stored planes.
TEST_F(CliCommands, TensorMatchesJacobiEigenAnalysis)
{
    std::vector<StoredRow> rows;
    std::mt19937 random(11);
    std::normal_distribution<double> scatter(0, 12);
    for (int i = 0; i < 40; ++i)
        rows.push_back({"S", 200 + scatter(random), std::clamp(50 + scatter(random), 1.0, 89.0)});
    const QJsonObject j = parsed(run({"tensor", q(sheet("cluster.plq", rows)), "--json"}));
    ASSERT_EQ(j["n"].toInt(), 40);
    EXPECT_EQ(j["set"].toString(), "planes");

    std::array<std::array<double, 3>, 3> t{};
    for (const StoredRow& row : rows) {
        const Vec u = unit(row.trend, row.plunge);
        const double c[3] = {u.x, u.y, u.z};
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                t[a][b] += c[a] * c[b] / rows.size();
    }
    std::array<std::array<double, 3>, 3> v{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    for (int sweep = 0; sweep < 50; ++sweep)
        for (int p = 0; p < 2; ++p)
            for (int r = p + 1; r < 3; ++r) {
                if (std::abs(t[p][r]) < 1e-15)
                    continue;
                const double theta = 0.5 * std::atan2(2 * t[p][r], t[r][r] - t[p][p]);
                const double c = std::cos(theta);
                const double s = std::sin(theta);
                for (int k = 0; k < 3; ++k) {
                    const double kp = t[k][p];
                    const double kr = t[k][r];
                    t[k][p] = c * kp - s * kr;
                    t[k][r] = s * kp + c * kr;
                }
                for (int k = 0; k < 3; ++k) {
                    const double pk = t[p][k];
                    const double rk = t[r][k];
                    t[p][k] = c * pk - s * rk;
                    t[r][k] = s * pk + c * rk;
                }
                for (int k = 0; k < 3; ++k) {
                    const double kp = v[k][p];
                    const double kr = v[k][r];
                    v[k][p] = c * kp - s * kr;
                    v[k][r] = s * kp + c * kr;
                }
            }
    std::array<int, 3> order{0, 1, 2};
    std::sort(order.begin(), order.end(), [&](int a, int b) { return t[a][a] > t[b][b]; });
    const QJsonArray lambda = j["eigenvalues"].toArray();
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(lambda[i].toDouble(), t[order[i]][order[i]], 1e-9) << i;
    const int first = order[0];
    const Vec principal{v[0][first], v[1][first], v[2][first]};
    EXPECT_NEAR(std::abs(dot(principal, poleOf(j["plane"].toObject()))), 1, 1e-9);
    EXPECT_TRUE(j["cone95"].isDouble());
}

// Every node inside the outer crown counts the measurements within 60/n degrees of its axis,
// counted here over every node and every measurement.
TEST_F(CliCommands, CountMatchesBruteForceOverEveryNode)
{
    std::vector<StoredRow> rows;
    std::mt19937 random(12);
    std::uniform_real_distribution<double> trend(0, 360);
    std::uniform_real_distribution<double> plunge(0, 90);
    for (int i = 0; i < 300; ++i)
        rows.push_back({"L", trend(random), plunge(random)});
    const int crowns = 8;
    const QJsonObject j = parsed(
        run({"count", q(sheet("lines.plq", rows)), "--crowns", QString::number(crowns), "--json"}));
    ASSERT_EQ(j["counted"].toInt(), 300);
    const double cosCone = std::cos(60.0 / crowns * kPi / 180);
    const int outerCrownFirst = 3 * crowns * (crowns - 1) + 1;
    const QJsonArray nodes = j["nodes"].toArray();
    ASSERT_EQ(nodes.size(), 3 * crowns * (crowns + 1) + 1);
    int largest = 0;
    for (const QJsonValue value : nodes) {
        const QJsonObject node = value.toObject();
        largest = std::max(largest, node["count"].toInt());
        if (node["node"].toInt() >= outerCrownFirst)
            continue;
        const Vec axis = lineOf(node["direction"].toObject());
        int expected = 0;
        for (const StoredRow& row : rows)
            expected += std::abs(dot(axis, unit(row.trend, row.plunge))) >= cosCone;
        EXPECT_EQ(node["count"].toInt(), expected) << node["node"].toInt();
    }
    EXPECT_EQ(j["max"].toInt(), largest);
}

// Rose classes of trends counted here, and Kuiper's V from its textbook form
// V = max(i/n - u_i) + max(u_i - (i-1)/n) (Fisher 1993, Statistical Analysis of Circular Data,
// section 4.4.1).
TEST_F(CliCommands, RoseClassesAndKuiperStatisticAgainstDirectComputation)
{
    std::vector<StoredRow> rows;
    std::mt19937 random(13);
    std::uniform_real_distribution<double> trend(0, 360);
    for (int i = 0; i < 60; ++i)
        rows.push_back({"L", std::floor(trend(random)) + 0.5, 20});
    const fs::path input = sheet("trends.plq", rows);
    const QJsonObject rose = parsed(
        run({"rose", q(input), "--kind", "vectors", "--width", "30", "--shift", "0", "--json"}));
    ASSERT_EQ(rose["n"].toInt(), 60);
    const QJsonArray classes = rose["classes"].toArray();
    ASSERT_EQ(classes.size(), 12);
    for (const QJsonValue value : classes) {
        const QJsonObject c = value.toObject();
        const double from = c["from"].toDouble();
        const double to = c["to"].toDouble();
        const auto expected = std::count_if(rows.begin(), rows.end(), [&](const StoredRow& r) {
            return r.trend >= from && r.trend < to;
        });
        EXPECT_EQ(c["count"].toInt(), expected) << from;
    }

    const QJsonObject kuiper = parsed(run({"kuiper", q(input), "--kind", "vectors", "--json"}));
    std::vector<double> u;
    for (const StoredRow& r : rows)
        u.push_back(r.trend / 360);
    std::sort(u.begin(), u.end());
    const double n = static_cast<double>(u.size());
    double plus = 0;
    double minus = 0;
    for (std::size_t i = 0; i < u.size(); ++i) {
        plus = std::max(plus, (i + 1) / n - u[i]);
        minus = std::max(minus, u[i] - i / n);
    }
    EXPECT_NEAR(kuiper["V"].toDouble(), plus + minus, 1e-9);
    EXPECT_EQ(kuiper["n"].toInt(), 60);
}

// Two planes: their intersection lies in both (perpendicular to both poles) and their angle is
// the angle of the poles.
TEST_F(CliCommands, CalcOfTwoPlanes)
{
    const QJsonObject j = parsed(
        run({"calc", "90/30", "180/60", "--kinds", "PP", "--notation", "2", "--deci", "--json"}));
    ASSERT_EQ(j["mode"].toString(), "two_planes");
    const Vec p1 = unit(270, 60);
    const Vec p2 = unit(0, 30);
    const Vec line = lineOf(j["intersection"].toObject());
    EXPECT_NEAR(dot(line, p1), 0, 1e-9);
    EXPECT_NEAR(dot(line, p2), 0, 1e-9);
    EXPECT_NEAR(j["angle"].toDouble(), std::acos(dot(p1, p2)) * 180 / kPi, 1e-9);
    const QJsonObject first = j["planes"].toArray()[0].toObject();
    EXPECT_NEAR(first["dip_direction"].toDouble(), 90, 1e-9);
    EXPECT_NEAR(first["dip"].toDouble(), 30, 1e-9);
}

// An exported sheet imports back as the sheet it came from.
TEST_F(CliCommands, ExportThenImportGivesTheSameRows)
{
    const fs::path input = sheet("planes.plq", randomPlanes(9, 14));
    const fs::path text = dir.path() / "planes.txt";
    ASSERT_EQ(run({"export", q(input), "-o", q(text)}).status, 0);
    const fs::path back = dir.path() / "back.plq";
    // The export splits its fields by tabulations.
    const test::CliOutcome imported = run({"import", q(text), "--separator", "tab", "-o", q(back)});
    ASSERT_EQ(imported.status, 0) << imported.err;
    std::vector<std::string> before = run({"info", q(input)}).lines();
    std::vector<std::string> after = run({"info", q(back)}).lines();
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(std::vector(after.begin() + 2, after.end()),
              std::vector(before.begin() + 2, before.end()));
}

// A normal fault dipping 60 towards 090 and its down-dip striae (the published example of each
// layout, here without number and location), then a sinistral one of unknown qualifiers whose
// striae has the light code.
TEST_F(CliCommands, FaultsExportWritesEachLayoutAndItsFile)
{
    const fs::path input =
        sheet("faults.plq", {{"FN1B", 270, 30}, {"LN.B", 90, 60}, {"FS..", 0, 45}, {"L", 90, 0}});
    const std::map<QString, std::vector<std::string>> expected = {
        {"stress",
         {"?         0 C N 1  90.0  60.0    90.0         0     0.0     0.0     0.0",
          "?         0 ? S 1 180.0  45.0    90.0         0     0.0     0.0     0.0"}},
        {"tektonic",
         {";", ";", ";", ";", ";", ";", ";", ";", ";", ";", "21, 90.00,60.00, 90.00,60.00",
          "40,180.00,45.00, 90.00, 0.00"}},
        {"yamaji", {"    90.0   60.0    90.0   60.0   N", "   180.0   45.0    90.0    0.0   S"}}};
    for (const auto& [format, lines] : expected) {
        SCOPED_TRACE(format.toStdString());
        const test::CliOutcome printed = run({"faults-export", q(input), "--format", format});
        ASSERT_EQ(printed.status, 0) << printed.err;
        EXPECT_EQ(printed.lines(), lines);

        const fs::path file = dir.path() / ("out." + format.toStdString());
        const test::CliOutcome saved =
            run({"faults-export", q(input), "--format", format, "-o", q(file), "--json"});
        ASSERT_EQ(saved.status, 0) << saved.err;
        const QJsonObject j = parsed(saved);
        EXPECT_EQ(j["format"].toString(), format);
        EXPECT_EQ(j["pairs"].toInt(), 2);
        EXPECT_EQ(j["written"].toString(), q(file));
        const QJsonArray jsonLines = j["lines"].toArray();
        ASSERT_EQ(jsonLines.size(), static_cast<qsizetype>(lines.size()));
        std::string bytes;
        for (qsizetype i = 0; i < jsonLines.size(); ++i) {
            EXPECT_EQ(jsonLines[i].toString().toStdString(), lines[static_cast<std::size_t>(i)]);
            bytes += lines[static_cast<std::size_t>(i)] + "\r\n";
        }
        std::ifstream in(file, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
    }
    const QJsonObject titled =
        parsed(run({"faults-export", q(input), "--format", "tektonic", "--json"}));
    EXPECT_EQ(titled["title"].toString(), "(Tektonic) faults.cor");
}

// Trackdip on the borehole example: every tilt record's angle is the angle between the poles of
// its two mean planes, above the cut-off, and its axis lies in both planes; each polygone's
// maximum is its record of largest angle; the records and polygones are the core's.
TEST_F(CliCommands, TrackdipRecordsAgreeWithTheirMeanPlanesAndTheCore)
{
    const std::string path = std::string(PLOQ_EXAMPLES) + "/borehole.plq";
    const QJsonObject j = parsed(run({"trackdip", QString::fromStdString(path), "--json"}));
    VarGlob settings;
    DefaultPrefs(settings, {});
    DataSheet sheet = NewDataSheet(settings);
    ASSERT_TRUE(LoadSheetFile(path, sheet).ok);
    const TrackdipResult core =
        RunTrackdip(ReadTrackdipRows(sheet).rows, TrackdipParams::FromSettings(settings),
                    {settings.FrtS, settings.FrtL});

    const QJsonArray records = j["records"].toArray();
    ASSERT_EQ(records.size(), static_cast<qsizetype>(core.scan.records.size()));
    ASSERT_GT(records.size(), 0);
    const double cutOff = j["tilt_cut_off"].toDouble();
    EXPECT_NEAR(cutOff, settings.TDcutVal * 180 / kPi, 1e-9);
    std::vector<double> angles;
    for (qsizetype k = 0; k < records.size(); ++k) {
        const QJsonObject r = records[k].toObject();
        const TiltRecord& expected = core.scan.records[static_cast<std::size_t>(k)];
        EXPECT_EQ(r["record"].toInt(), k + 1);
        EXPECT_EQ(r["upper_count"].toInt(), expected.m1);
        EXPECT_EQ(r["lower_count"].toInt(), expected.m2);
        EXPECT_NEAR(r["depth"].toDouble(), expected.z2, 1e-9);
        EXPECT_NEAR(r["window"].toDouble(), expected.h, 1e-9);
        const Vec upper = poleOf(r["upper"].toObject());
        const Vec lower = poleOf(r["lower"].toObject());
        const double between = std::acos(std::min(1.0, std::abs(dot(upper, lower)))) * 180 / kPi;
        const double angle = r["angle"].toDouble();
        EXPECT_NEAR(angle, between, 1e-6) << k + 1;
        EXPECT_GT(angle, cutOff) << k + 1;
        const Vec axis = lineOf(r["axis"].toObject());
        EXPECT_NEAR(dot(axis, upper), 0, 1e-9) << k + 1;
        EXPECT_NEAR(dot(axis, lower), 0, 1e-9) << k + 1;
        angles.push_back(angle);
    }
    const QJsonArray polygones = j["polygones"].toArray();
    ASSERT_EQ(polygones.size(), static_cast<qsizetype>(core.links.polygones.size()));
    ASSERT_GT(polygones.size(), 0);
    for (qsizetype m = 0; m < polygones.size(); ++m) {
        const QJsonObject p = polygones[m].toObject();
        std::vector<int> numbers;
        int largest = 0;
        for (const QJsonValue number : p["records"].toArray()) {
            numbers.push_back(number.toInt());
            if (!largest || angles[number.toInt() - 1] > angles[largest - 1])
                largest = number.toInt();
        }
        std::vector<int> expected;
        for (const int k : core.links.polygones[static_cast<std::size_t>(m)].records)
            expected.push_back(k + 1);
        EXPECT_EQ(numbers, expected) << m;
        EXPECT_EQ(p["maximum"].toInt(), largest) << m;
    }
    EXPECT_EQ(j["links"].toInt(), core.links.links);
}

// A fault/striae pair built from its strike, dip and rake (Aki & Richards 1980: the angle in
// the plane from the strike to the hanging wall's slip, 90 reverse, -90 normal, 0 sinistral,
// 180 dextral), its sense letter the rake's dominant component.
struct BuiltFault {
    double dipDirection;
    double dip;
    double rake;
    double strike() const { return std::fmod(dipDirection + 270, 360); }
    double pitch() const { return std::min(std::abs(rake), 180 - std::abs(rake)); }
    char sense() const
    {
        const double r = std::abs(rake);
        if (r >= 45 && r <= 135)
            return rake > 0 ? 'R' : 'N';
        return r < 45 ? 'S' : 'D';
    }
    // The rows: the plane by its pole, then the striae as a lower-hemisphere line.
    std::vector<StoredRow> rows() const
    {
        const double phi = strike() * kPi / 180;
        const double delta = dip * kPi / 180;
        const double lambda = rake * kPi / 180;
        const Vec along{std::sin(phi), std::cos(phi), 0};
        const double dd = phi + kPi / 2;
        const Vec down{std::cos(delta) * std::sin(dd), std::cos(delta) * std::cos(dd),
                       std::sin(delta)};
        Vec slip{std::cos(lambda) * along.x - std::sin(lambda) * down.x,
                 std::cos(lambda) * along.y - std::sin(lambda) * down.y,
                 std::cos(lambda) * along.z - std::sin(lambda) * down.z};
        if (slip.z < 0)
            slip = {-slip.x, -slip.y, -slip.z};
        const double trend = std::fmod(std::atan2(slip.x, slip.y) * 180 / kPi + 360, 360);
        const double plunge = std::asin(std::clamp(slip.z, -1.0, 1.0)) * 180 / kPi;
        const std::string codes = std::string(1, sense()) + "..";
        return {{"F" + codes, std::fmod(dipDirection + 180, 360), 90 - dip},
                {"L" + codes, trend, plunge}};
    }
};

// Angles away from the class bounds, so that the counts do not hang on rounding.
std::vector<BuiltFault> randomFaults(int n, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> dipDirection(0, 359);
    std::uniform_int_distribution<int> dip(3, 85);
    std::uniform_int_distribution<int> rake(-179, 178);
    std::vector<BuiltFault> faults;
    for (int i = 0; i < n; ++i)
        faults.push_back({dipDirection(random) + 0.5, dip(random) + 0.5, rake(random) + 0.5});
    return faults;
}

fs::path faultSheet(CliCommands& test, const std::string& name,
                    const std::vector<BuiltFault>& faults)
{
    std::vector<StoredRow> rows;
    for (const BuiltFault& f : faults)
        for (const StoredRow& row : f.rows())
            rows.push_back(row);
    return test.sheet(name, rows);
}

// The classes of each histogram counted here from the angles the faults were built with.
TEST_F(CliCommands, FaultHistogramsCountTheBuiltAngles)
{
    const std::vector<BuiltFault> faults = randomFaults(120, 21);
    const fs::path input = faultSheet(*this, "faults.plq", faults);
    struct Angle {
        QString name;
        double start;
        int width;
        int classes;
        double (*of)(const BuiltFault&);
    };
    const Angle angles[] = {{"strike", 0, 10, 36, [](const BuiltFault& f) { return f.strike(); }},
                            {"dip", 0, 5, 18, [](const BuiltFault& f) { return f.dip; }},
                            {"rake", -180, 10, 36, [](const BuiltFault& f) { return f.rake; }}};
    for (const Angle& angle : angles) {
        SCOPED_TRACE(angle.name.toStdString());
        std::vector<int> counts(static_cast<std::size_t>(angle.classes), 0);
        for (const BuiltFault& f : faults)
            ++counts[static_cast<std::size_t>(
                std::floor((angle.of(f) - angle.start) / angle.width))];
        const test::CliOutcome json =
            run({"faults-histogram", q(input), "--angle", angle.name, "--json"});
        ASSERT_EQ(json.status, 0) << json.err;
        const QJsonObject j = parsed(json);
        EXPECT_EQ(j["n"].toInt(), 120);
        EXPECT_EQ(j["unknown_senses"].toInt(), 0);
        EXPECT_EQ(j["class_width"].toInt(), angle.width);
        const QJsonArray values = j["values"].toArray();
        ASSERT_EQ(values.size(), 120);
        for (std::size_t i = 0; i < faults.size(); ++i)
            EXPECT_NEAR(values[static_cast<qsizetype>(i)].toDouble(), angle.of(faults[i]), 1e-6)
                << i;
        const QJsonArray classes = j["classes"].toArray();
        ASSERT_EQ(classes.size(), angle.classes);
        const int largest = *std::max_element(counts.begin(), counts.end());
        EXPECT_EQ(j["max_count"].toInt(), largest);
        // The text: the listing's title, its time, its count, then one line per class.
        const test::CliOutcome text = run({"faults-histogram", q(input), "--angle", angle.name});
        ASSERT_EQ(text.status, 0) << text.err;
        const std::vector<std::string> lines = text.lines();
        ASSERT_EQ(lines.size(), 3U + static_cast<std::size_t>(angle.classes));
        EXPECT_EQ(lines[2], "Nb of values: 120, V max: " + std::to_string(largest));
        for (int k = 0; k < angle.classes; ++k) {
            const QJsonObject c = classes[k].toObject();
            const int from = static_cast<int>(angle.start) + k * angle.width;
            EXPECT_EQ(c["from"].toDouble(), from);
            EXPECT_EQ(c["to"].toDouble(), from + angle.width);
            EXPECT_EQ(c["count"].toInt(), counts[static_cast<std::size_t>(k)]) << from;
            EXPECT_EQ(lines[static_cast<std::size_t>(k) + 3],
                      "  " + std::to_string(from) + "-" + std::to_string(from + angle.width)
                          + "\xC2\xB0 : " + std::to_string(counts[static_cast<std::size_t>(k)]));
        }
    }
}

// Each pair's angle to the strike, rake, movement symbol and arrow, from the built faults.
TEST_F(CliCommands, FaultViewsGiveEachPairItsBuiltRakeSymbolAndArrow)
{
    std::vector<BuiltFault> faults = randomFaults(40, 22);
    // Each sense with its striae on either side of 90 degrees from the strike.
    for (const double rake : {-60.5, -120.5, 60.5, 120.5, 20.5, -20.5, 160.5, -160.5})
        faults.push_back({100.5, 50.5, rake});
    const fs::path input = faultSheet(*this, "faults.plq", faults);
    const fs::path png = dir.path() / "rakes.png";
    const test::CliOutcome r =
        run({"faults-view", q(input), "--view", "rakes", "-o", q(png), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(QImage(q(png)).isNull());
    const QJsonObject j = parsed(r);
    EXPECT_EQ(j["title"].toString(), "Cnvs 1- Rake");
    const QJsonArray movements = j["movements"].toArray();
    ASSERT_EQ(movements.size(), static_cast<qsizetype>(faults.size()));
    for (std::size_t i = 0; i < faults.size(); ++i) {
        const BuiltFault& f = faults[i];
        const QJsonObject m = movements[static_cast<qsizetype>(i)].toObject();
        SCOPED_TRACE(f.rake);
        EXPECT_EQ(m["record"].toInt(), 2 * static_cast<int>(i) + 1);
        EXPECT_EQ(m["sense"].toString(), QString(QChar(f.sense())));
        EXPECT_NEAR(m["rake"].toDouble(), f.rake, 1e-6);
        EXPECT_NEAR(m["fault"].toObject()["dip"].toDouble(), f.dip, 1e-9);
        // The striae as a line makes the angle a with the strike direction.
        const Vec strike = unit(f.strike(), 0);
        const double a = std::acos(dot(strike, lineOf(m["striae"].toObject()))) * 180 / kPi;
        EXPECT_NEAR(m["a"].toDouble(), a, 1e-6);
        // The symbols and arrows of the fault views' table.
        const bool along = a < 90;
        const std::map<char, std::pair<int, int>> table = {{'N', {301, 1}},
                                                           {'R', {302, 0}},
                                                           {'D', {along ? 304 : 303, along}},
                                                           {'S', {along ? 305 : 306, !along}}};
        EXPECT_EQ(m["symbol"].toInt(), table.at(f.sense()).first);
        EXPECT_EQ(m["arrow"].toInt(), table.at(f.sense()).second);
    }
    const test::CliOutcome text = run({"faults-view", q(input), "--view", "hanging-wall"});
    ASSERT_EQ(text.status, 0) << text.err;
    ASSERT_EQ(text.lines().size(), faults.size() + 2);
    EXPECT_EQ(text.lines()[0], "Cnvs 1- hanging wall mvt");
    EXPECT_EQ(text.lines()[1], "48 F");
}

// The pairs kept are those whose built pitch and dip lie in the ranges, bounds included; the
// sheet written holds both rows of each, renumbered.
TEST_F(CliCommands, FaultSelectionKeepsThePairsInTheRanges)
{
    std::vector<BuiltFault> faults = randomFaults(60, 23);
    // On the bounds of the strike-slip ranges (pitch 0-20, dip 50-90): kept.
    faults.push_back({30, 50, 20});
    faults.push_back({30, 50, -160});
    const fs::path input = faultSheet(*this, "faults.plq", faults);
    struct Case {
        QStringList options;
        double pitchFrom, pitchTo, dipFrom, dipTo;
    };
    const Case cases[] = {{{}, 70, 90, 50, 90},
                          {{"--usual", "strike-slip"}, 0, 20, 50, 90},
                          {{"--usual", "reverse"}, 50, 90, 0, 40},
                          {{"--pitch", "60-30", "--dip", "-45"}, 30, 60, 0, 45},
                          {{"--usual", "reverse", "--dip", "30-"}, 50, 90, 30, 90}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        std::vector<int> expected;
        for (std::size_t i = 0; i < faults.size(); ++i) {
            const BuiltFault& f = faults[i];
            if (f.pitch() >= c.pitchFrom - 1e-9 && f.pitch() <= c.pitchTo + 1e-9
                && f.dip >= c.dipFrom - 1e-9 && f.dip <= c.dipTo + 1e-9)
                expected.push_back(2 * static_cast<int>(i) + 1);
        }
        ASSERT_FALSE(expected.empty());
        const fs::path out = dir.path() / "kept.plq";
        const test::CliOutcome r =
            run(QStringList{"faults-select", q(input), "-o", q(out), "--json"} + c.options);
        ASSERT_EQ(r.status, 0) << r.err;
        const QJsonObject j = parsed(r);
        EXPECT_EQ(j["pitch"].toObject()["from"].toDouble(), c.pitchFrom);
        EXPECT_EQ(j["dip"].toObject()["to"].toDouble(), c.dipTo);
        EXPECT_EQ(j["pairs"].toInt(), static_cast<int>(faults.size()));
        std::vector<int> kept;
        for (const QJsonValue fault : j["faults"].toArray())
            kept.push_back(fault.toObject()["row"].toInt());
        EXPECT_EQ(kept, expected);
        const QJsonObject written = parsed(run({"info", q(out), "--json"}));
        const QJsonArray rows = written["rows"].toArray();
        ASSERT_EQ(rows.size(), 2 * static_cast<qsizetype>(expected.size()));
        for (std::size_t k = 0; k < expected.size(); ++k) {
            const BuiltFault& f = faults[static_cast<std::size_t>(expected[k] - 1) / 2];
            const QJsonObject plane = rows[2 * static_cast<qsizetype>(k)].toObject();
            EXPECT_EQ(plane["row"].toInt(), 2 * static_cast<int>(k) + 1);
            EXPECT_EQ(plane["nature"].toString(), QString("F") + f.sense() + "..");
            EXPECT_NEAR(plane["plane"].toObject()["dip"].toDouble(), f.dip, 1e-4);
            EXPECT_TRUE(rows[2 * static_cast<qsizetype>(k) + 1].toObject().contains("line"));
        }
        const test::CliOutcome text = run(QStringList{"faults-select", q(input)} + c.options);
        ASSERT_GE(text.lines().size(), 2U);
        EXPECT_EQ(text.lines()[1], std::to_string(expected.size()) + " of "
                                       + std::to_string(faults.size()) + " faults selected");
        EXPECT_EQ(text.lines().size(), expected.size() + 2);
    }
}

TEST_F(CliCommands, FaultToolsRefuseWhatTheMenuRefuses)
{
    const fs::path planes = sheet("planes.plq", randomPlanes(4, 24));
    const fs::path odd = sheet("odd.plq", randomPlanes(3, 24));
    const fs::path faults = faultSheet(*this, "faults.plq", {{90, 30, 90.5}, {90, 60, -90.5}});
    const fs::path out = dir.path() / "out.plq";
    const fs::path png = dir.path() / "out.png";
    expectRefused({
        {{"faults-histogram", q(planes), "--angle", "dip", "-o", q(png)},
         1,
         "Error on the fault n\xC2\xB0",
         png},
        {{"faults-view", q(odd), "--view", "rakes", "-o", q(png)},
         1,
         "Odd number of values in the canvas",
         png},
        {{"faults-select", q(odd), "-o", q(out)}, 1, "Odd number of values in the datasheet", out},
        // A reverse fault dipping 30 and a normal one dipping 60: neither is strike-slip.
        {{"faults-select", q(faults), "--usual", "strike-slip", "-o", q(out)},
         1,
         "No fault fitting the criteria..",
         out},
        {{"faults-select", q(faults), "--pitch", "10-95"}, 2, "Usage: ploq-cli faults-select", {}},
        {{"faults-select", q(faults), "--dip", "30"}, 2, "FROM-TO", {}},
        {{"faults-histogram", q(faults)}, 2, "--angle is required", {}},
        {{"faults-view", q(faults), "--view", "arrows"}, 2, "Usage: ploq-cli faults-view", {}},
        {{"faults-view", q(faults), "--view", "rakes", "-o", q(dir.path() / "out.gif")},
         2,
         "Usage:",
         dir.path() / "out.gif"},
    });
    // A pair of unknown sense is told, and left out of the rakes only.
    const fs::path unknown = sheet("unknown.plq", {{"F", 270, 30}, {"L", 90, 60}});
    const test::CliOutcome rakes = run({"faults-histogram", q(unknown), "--angle", "dip"});
    EXPECT_EQ(rakes.status, 0) << rakes.err;
    EXPECT_NE(rakes.err.find("unknown sense of movement for 1 fault(s)"), std::string::npos)
        << rakes.err;
    const test::CliOutcome none = run({"faults-histogram", q(unknown), "--angle", "rake"});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.empty());
}

// A fault typed in the default notation, its striae as a whole line a few degrees off the
// plane, then as a trend, added to a new sheet and to that sheet: the angle off the plane
// worked here from the pole, the line of the plane perpendicular to it.
TEST_F(CliCommands, FaultsEnterAddsThePairAndPutsAPartialStriaeInThePlane)
{
    VarGlob settings;
    DefaultPrefs(settings, {});
    const Notation notation{settings.FrtS, settings.FrtL};
    // Dipping 60 towards 120: the pole plunges 30 towards 300.
    const Vec pole = unit(300, 30);
    const std::string fault = DirToText(true, true, 30 * kDegToRad, 300 * kDegToRad, notation);
    // 3 degrees off the down-dip line (plunge 60 towards 120).
    const std::string offLine = DirToText(true, false, 57 * kDegToRad, 120 * kDegToRad, notation);
    const fs::path first = dir.path() / "first.plq";
    const test::CliOutcome whole =
        run({"faults-enter", "-o", q(first), "--fault", QString::fromStdString(fault), "--striae",
             QString::fromStdString(offLine), "--number", "7", "--location", "Quarry",
             "--add-to-code", "--confidence", "high", "--chronology", "2", "--json"});
    ASSERT_EQ(whole.status, 0) << whole.err;
    const QJsonObject j = parsed(whole);
    EXPECT_NEAR(j["fault"].toObject()["dip_direction"].toDouble(), 120, 1e-9);
    EXPECT_NEAR(j["fault"].toObject()["dip"].toDouble(), 60, 1e-9);
    const Vec typed = lineOf(j["striae"].toObject());
    EXPECT_NEAR(dot(typed, unit(120, 57)), 1, 1e-12);
    EXPECT_NEAR(j["fs_angle"].toDouble(), std::asin(std::abs(dot(typed, pole))) * 180 / kPi, 1e-9);
    EXPECT_NEAR(j["fs_angle"].toDouble(), 3, 1e-9);
    const QJsonArray rows = j["rows"].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].toObject()["nature"].toString(), "FNB2");
    EXPECT_EQ(rows[1].toObject()["nature"].toString(), "LNB2");
    EXPECT_EQ(rows[1].toObject()["number"].toString(), "7");
    EXPECT_EQ(rows[1].toObject()["location"].toString(), "Quarry");

    // The trend form, added to the sheet just written: the striae is the line of the plane
    // trending 150 (or its opposite).
    const fs::path second = dir.path() / "second.plq";
    const test::CliOutcome partial =
        run({"faults-enter", q(first), "-o", q(second), "--fault", QString::fromStdString(fault),
             "--striae", "150", "--sense", "dextral", "--number", "8"});
    ASSERT_EQ(partial.status, 0) << partial.err;
    // A line of the plane: no angle off it.
    ASSERT_EQ(partial.lines().size(), 3U) << partial.out;
    EXPECT_EQ(partial.lines()[2], "F-S angle : 0\xC2\xB0");
    const QJsonArray all = parsed(run({"info", q(second), "--json"}))["rows"].toArray();
    ASSERT_EQ(all.size(), 4);
    EXPECT_EQ(all[0].toObject()["nature"].toString(), "FNB2");
    const QJsonObject striae = all[3].toObject();
    EXPECT_EQ(striae["row"].toInt(), 4);
    // The default settings write the qualifiers, unknown here, into the codes.
    EXPECT_EQ(striae["nature"].toString(), "LD..");
    const Vec inPlane = lineOf(striae["line"].toObject());
    EXPECT_NEAR(dot(inPlane, pole), 0, 1e-9);
    EXPECT_NEAR(std::abs(dot({inPlane.x, inPlane.y, 0}, unit(150, 0))),
                std::hypot(inPlane.x, inPlane.y), 1e-9);
    EXPECT_EQ(all[2].toObject()["number"].toString(), "8");
    // Each printed row is the sheet's: its number first.
    EXPECT_EQ(partial.lines()[1].substr(0, 4), "004\t");

    // Refusals leave no file.
    const fs::path none = dir.path() / "none.plq";
    const std::string farLine = DirToText(true, false, 50 * kDegToRad, 120 * kDegToRad, notation);
    struct Case {
        QStringList extra;
        std::string message;
    };
    const Case cases[] = {{{"--striae", QString::fromStdString(farLine), "--max-angle", "4"},
                           "F-S angle = 10.0\xC2\xB0 (max permitted = 4\xC2\xB0)"},
                          {{"--striae", "150", "--number", ""}, "fault number is mandatory !"},
                          {{"--striae", "zz"}, "striae zz: error of format or on the value"}};
    for (const Case& c : cases) {
        const test::CliOutcome r =
            run(QStringList{"faults-enter", "-o", q(none), "--fault", QString::fromStdString(fault)}
                + c.extra);
        EXPECT_EQ(r.status, 1) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(none));
    }
}

// Thirty vertical lines chosen, twelve horizontal ones left out by the key: the largest node
// count is 30, U = (1 - cos 20) 30, and the doubling levels stay while L U < 30 (L < 16.6).
TEST_F(CliCommands, ContourLevelsAndMaximumOfTheChosenRows)
{
    std::vector<StoredRow> rows(30, {"L", 0, 90});
    for (int i = 0; i < 12; ++i)
        rows.push_back({"X", i * 30.0, 0});
    const fs::path input = sheet("vertical.plq", rows);
    const fs::path picture = dir.path() / "contours.png";
    const QJsonObject j =
        parsed(run({"contour", q(input), "--key", "L", "--isovalues", "uniformity", "--display",
                    "filled", "-o", q(picture), "--json"}));
    EXPECT_EQ(j["n"].toInt(), 30);
    EXPECT_EQ(j["max"].toDouble(), 30);
    const double U = (1 - std::cos(20 * kPi / 180)) * 30;
    EXPECT_NEAR(j["uniform_count"].toDouble(), U, 1e-9);
    EXPECT_NEAR(j["max_uniformity"].toDouble(), 30 / U, 1e-9);
    EXPECT_EQ(j["step"].toInt(), 6);
    EXPECT_EQ(j["cone"].toDouble(), 20);
    EXPECT_TRUE(j["filled"].toBool());
    const QJsonArray levels = j["levels"].toArray();
    ASSERT_EQ(levels.size(), 5);
    double expected = 1;
    for (const QJsonValue value : levels) {
        const QJsonObject level = value.toObject();
        // Whole levels are kept 0.01 above the whole number.
        EXPECT_NEAR(level["z"].toDouble(), expected + 0.01, 1e-9);
        EXPECT_NEAR(level["count"].toDouble(), (expected + 0.01) * U, 1e-9);
        expected *= 2;
    }
    ASSERT_TRUE(fs::exists(picture));
    const QImage image(q(picture));
    EXPECT_FALSE(image.isNull());

    const std::vector<std::string> text =
        run({"contour", q(input), "--key", "L", "--isovalues", "raw", "--levels", "2,10"}).lines();
    ASSERT_EQ(text.size(), 4u);
    EXPECT_EQ(text[1], "Isocontours values (raw data), max = 30 :");
    EXPECT_EQ(text[2], "   curves : 2.0/ 10.0/");
    EXPECT_EQ(text[3], "Counting cone aperture : 20.0\u00B0");

    struct Bad {
        QStringList arguments;
        int status;
        std::string message;
    };
    const Bad bad[] = {
        {{"--levels", "0"}, 1, "A level must be a number above 0"},
        {{"--levels", "1,2,3,4,5,6,7,8,9,10,11"}, 1, "Number of contours can't exceed 10"},
        {{"--levels", "2,2"}, 1, "already in the list"},
        {{"--cone", "90"}, 2, "cone aperture"},
        {{"--step", "4"}, 2, "Usage:"},
    };
    for (const Bad& b : bad) {
        const test::CliOutcome r =
            run(QStringList{"contour", q(input), "--key", "L"} + b.arguments);
        EXPECT_EQ(r.status, b.status) << b.arguments.join(' ').toStdString() << r.err;
        EXPECT_NE(r.err.find(b.message), std::string::npos) << r.err;
    }
}

// Lines round a great circle of pole (trend, plunge), or a cone of that aperture, with a fixed
// scatter off it.
std::vector<StoredRow> CircleRows(double trend, double plunge, double aperture, int n)
{
    const Vec a = unit(trend, plunge);
    const Vec h = std::fabs(a.z) < 0.9 ? Vec{0, 0, 1} : Vec{1, 0, 0};
    Vec e1{a.y * h.z - a.z * h.y, a.z * h.x - a.x * h.z, a.x * h.y - a.y * h.x};
    const double l = std::sqrt(dot(e1, e1));
    e1 = {e1.x / l, e1.y / l, e1.z / l};
    const Vec e2{a.y * e1.z - a.z * e1.y, a.z * e1.x - a.x * e1.z, a.x * e1.y - a.y * e1.x};
    std::vector<StoredRow> rows;
    for (int i = 0; i < n; ++i) {
        const double t = 2 * kPi * i / n;
        const double r = (aperture + 4 * std::sin(5.0 * i)) * kPi / 180;
        Vec p{std::cos(r) * a.x + std::sin(r) * (std::cos(t) * e1.x + std::sin(t) * e2.x),
              std::cos(r) * a.y + std::sin(r) * (std::cos(t) * e1.y + std::sin(t) * e2.y),
              std::cos(r) * a.z + std::sin(r) * (std::cos(t) * e1.z + std::sin(t) * e2.z)};
        if (p.z < 0)
            p = {-p.x, -p.y, -p.z};
        rows.push_back({"L", std::fmod(std::atan2(p.x, p.y) * 180 / kPi + 360, 360),
                        std::asin(std::min(1.0, p.z)) * 180 / kPi});
    }
    return rows;
}

// The same seed gives the same run and the same file; the pole is the direction of least
// moment sum (u.p)^2, found here by a search over the sphere.
TEST_F(CliCommands, BootstrapRepeatsWithItsSeedAndFitsTheLeastMomentPole)
{
    const std::vector<StoredRow> rows = CircleRows(120, 40, 90, 40);
    const QString file = q(sheet("girdle.plq", rows));
    const test::CliOutcome first =
        run({"bootstrap", file, "--tossings", "200", "--seed", "5", "--json", "--vki", "a.txt"});
    const test::CliOutcome second =
        run({"bootstrap", file, "--tossings", "200", "--seed", "5", "--json", "--vki", "b.txt"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    std::ifstream a(dir.path() / "a.txt", std::ios::binary),
        b(dir.path() / "b.txt", std::ios::binary);
    const std::string aText((std::istreambuf_iterator<char>(a)), {});
    const std::string bText((std::istreambuf_iterator<char>(b)), {});
    EXPECT_EQ(aText, bText);
    EXPECT_EQ(std::count(aText.begin(), aText.end(), '\n'), 2 + 201);
    const QJsonObject j = parsed(first);
    EXPECT_EQ(j["n"].toInt(), 40);
    EXPECT_EQ(j["tossings"].toInt(), 200);
    EXPECT_GT(j["cone95"].toDouble(), 0);
    EXPECT_GE(j["cone99"].toDouble(), j["cone95"].toDouble());
    const auto moment = [&rows](const Vec& p) {
        double sum = 0;
        for (const StoredRow& r : rows)
            sum += std::pow(dot(unit(r.trend, r.plunge), p), 2);
        return sum;
    };
    Vec best{0, 0, 1};
    for (double t = 0; t < 360; t += 0.5)
        for (double p = 0; p <= 90; p += 0.25)
            if (moment(unit(t, p)) < moment(best))
                best = unit(t, p);
    EXPECT_GT(std::fabs(dot(lineOf(j["pole"].toObject()), best)), std::cos(0.5 * kPi / 180));
    const test::CliOutcome other =
        run({"bootstrap", file, "--tossings", "200", "--seed", "6", "--json"});
    EXPECT_NE(parsed(other)["cone95"].toDouble(), j["cone95"].toDouble());
    const std::vector<std::string> text =
        run({"bootstrap", file, "--tossings", "20", "--seed", "5"}).lines();
    ASSERT_EQ(text.size(), 4u);
    EXPECT_NE(text[0].find(" - testing best great circle (boot strap, 20 tossing)"),
              std::string::npos);
}

TEST_F(CliCommands, BootstrapSmallCircleCountsItsFitsAndRefusesTooFew)
{
    const QString file = q(sheet("cone.plq", CircleRows(200, 70, 30, 40)));
    const QJsonObject j =
        parsed(run({"bootstrap", file, "--small", "--tossings", "100", "--seed", "3", "--json"}));
    EXPECT_EQ(j["valid"].toInt() + j["failures"].toInt(), 100);
    EXPECT_NEAR(j["aperture"].toDouble(), 30, 2);
    EXPECT_GT(std::fabs(dot(lineOf(j["axis"].toObject()), unit(200, 70))), std::cos(2 * kPi / 180));
    EXPECT_GE(j["aperture_interval99"].toDouble(), j["aperture_interval95"].toDouble());
    const test::CliOutcome few =
        run({"bootstrap", q(sheet("two.plq", {{"L", 10, 20}, {"L", 50, 30}})), "--seed", "1"});
    EXPECT_EQ(few.status, 1);
    EXPECT_NE(few.err.find("At least 3 displayed values are needed"), std::string::npos);
}

// The built fault's normal into the hanging wall and the hanging wall's slip (down positive).
struct Couple {
    Vec n;
    Vec u;
};
Couple coupleOf(const BuiltFault& f)
{
    const double phi = f.strike() * kPi / 180;
    const double delta = f.dip * kPi / 180;
    const double lambda = f.rake * kPi / 180;
    const Vec along{std::sin(phi), std::cos(phi), 0};
    const double dd = phi + kPi / 2;
    const Vec down{std::cos(delta) * std::sin(dd), std::cos(delta) * std::cos(dd), std::sin(delta)};
    const Vec u{std::cos(lambda) * along.x - std::sin(lambda) * down.x,
                std::cos(lambda) * along.y - std::sin(lambda) * down.y,
                std::cos(lambda) * along.z - std::sin(lambda) * down.z};
    const Vec pole = unit(std::fmod(f.dipDirection + 180, 360), 90 - f.dip);
    return {{-pole.x, -pole.y, -pole.z}, u};
}

double axisAngleDeg(const Vec& a, const Vec& b)
{
    const double c = std::abs(dot(a, b)) / std::sqrt(dot(a, a) * dot(b, b));
    return std::acos(std::min(1.0, c)) * 180 / kPi;
}

// Right dihedra (Angelier & Mechler 1977): each node counts the built faults whose compressional
// quadrants, (g.n)(g.u) < 0, hold it; "Set a nod to zero" takes away the faults holding the node.
TEST_F(CliCommands, DihedraCountsTheBuiltFaultsCompressionalQuadrants)
{
    const std::vector<BuiltFault> faults = randomFaults(50, 26);
    const fs::path input = faultSheet(*this, "faults.plq", faults);
    const fs::path png = dir.path() / "dihedra.png";
    const test::CliOutcome r =
        run({"dihedra", q(input), "--crowns", "7", "--zero", "0", "-o", q(png), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(QImage(q(png)).isNull());
    const QJsonObject j = parsed(r);
    EXPECT_EQ(j["crowns"].toInt(), 7);
    EXPECT_EQ(j["faults"].toInt(), 50);
    const QJsonArray nodes = j["nodes"].toArray();
    ASSERT_EQ(nodes.size(), 169);
    const auto brute = [&](const Vec& g, const std::vector<bool>& skip) -> std::optional<int> {
        int count = 0;
        for (std::size_t i = 0; i < faults.size(); ++i) {
            if (skip[i])
                continue;
            const Couple c = coupleOf(faults[i]);
            const double gn = dot(g, c.n), gu = dot(g, c.u);
            if (std::abs(gn) < 1e-6 || std::abs(gu) < 1e-6)
                return std::nullopt;
            count += gn * gu < 0 ? 1 : 0;
        }
        return count;
    };
    const std::vector<bool> none(faults.size(), false);
    int compared = 0, largest = 0;
    for (const QJsonValue& value : nodes) {
        const QJsonObject node = value.toObject();
        largest = std::max(largest, node["count"].toInt());
        if (const std::optional<int> b = brute(lineOf(node["direction"].toObject()), none)) {
            EXPECT_EQ(node["count"].toInt(), *b) << node["node"].toInt();
            ++compared;
        }
    }
    EXPECT_GT(compared, 150);
    EXPECT_EQ(j["max"].toInt(), largest);
    // The vertical node set to zero.
    const QJsonObject zero = j["zero"].toObject();
    std::vector<bool> removed(faults.size(), false);
    for (const QJsonValue& value : zero["removed"].toArray())
        removed[static_cast<std::size_t>(value.toObject()["record"].toInt() / 2)] = true;
    const Vec vertical{0, 0, 1};
    for (std::size_t i = 0; i < faults.size(); ++i) {
        const Couple c = coupleOf(faults[i]);
        EXPECT_EQ(removed[i], dot(vertical, c.n) * dot(vertical, c.u) < 0) << i;
    }
    const QJsonArray left = zero["nodes"].toArray();
    EXPECT_EQ(left[0].toObject()["count"].toInt(), 0);
    for (const QJsonValue& value : left) {
        const QJsonObject node = value.toObject();
        if (const std::optional<int> b = brute(lineOf(node["direction"].toObject()), removed)) {
            EXPECT_EQ(node["count"].toInt(), *b) << node["node"].toInt();
        }
    }
    // The text: the label, the grid, one line per node.
    const test::CliOutcome text = run({"dihedra", q(input)});
    ASSERT_EQ(text.status, 0) << text.err;
    ASSERT_EQ(text.lines().size(), 2u + 127u);
    EXPECT_EQ(text.lines()[0], "50 f");
    EXPECT_EQ(text.lines()[2].rfind("nod 0, position : ", 0), 0u) << text.lines()[2];
}

// P and T axes against the double couple's: (n - u) and (n + u) of each built fault.
TEST_F(CliCommands, PTAxesAreThoseOfTheBuiltDoubleCouples)
{
    std::vector<BuiltFault> faults = randomFaults(60, 27);
    const fs::path input = faultSheet(*this, "faults.plq", faults);
    const fs::path png = dir.path() / "pt.png";
    const test::CliOutcome r = run({"pt", q(input), "-o", q(png), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(QImage(q(png)).isNull());
    const QJsonObject j = parsed(r);
    EXPECT_EQ(j["pairs"].toInt(), 60);
    const QJsonArray axes = j["axes"].toArray();
    ASSERT_EQ(axes.size(), 60);
    for (std::size_t i = 0; i < faults.size(); ++i) {
        const Couple c = coupleOf(faults[i]);
        const Vec p{c.n.x - c.u.x, c.n.y - c.u.y, c.n.z - c.u.z};
        const Vec t{c.n.x + c.u.x, c.n.y + c.u.y, c.n.z + c.u.z};
        const QJsonObject a = axes[static_cast<qsizetype>(i)].toObject();
        EXPECT_EQ(a["record"].toInt(), 2 * static_cast<int>(i) + 1);
        EXPECT_LT(axisAngleDeg(lineOf(a["p"].toObject()), p), 1e-6) << i;
        EXPECT_LT(axisAngleDeg(lineOf(a["t"].toObject()), t), 1e-6) << i;
    }
    const test::CliOutcome text = run({"pt", q(input)});
    ASSERT_EQ(text.status, 0) << text.err;
    ASSERT_EQ(text.lines().size(), 2u + 60u);
    EXPECT_EQ(text.lines()[0].substr(text.lines()[0].size() - 15), " - Axis P and T");
    EXPECT_EQ(text.lines()[1], "60 P and T axis(s)");
}

TEST_F(CliCommands, DihedraAndPTRefuseWhatTheMenuRefuses)
{
    const fs::path planes = sheet("planes.plq", randomPlanes(4, 24));
    const fs::path odd = sheet("odd.plq", randomPlanes(3, 24));
    const fs::path faults = faultSheet(*this, "faults.plq", {{90, 30, 90.5}, {90, 60, -90.5}});
    const fs::path png = dir.path() / "out.png";
    expectRefused({
        {{"dihedra", q(planes), "-o", q(png)}, 1, "Error on the fault n\xC2\xB0", png},
        {{"pt", q(odd), "-o", q(png)}, 1, "Odd number of values in the canvas", png},
        {{"dihedra", q(faults), "--crowns", "4"}, 2, "Usage: ploq-cli dihedra", {}},
        {{"dihedra", q(faults), "--crowns", "6", "--zero", "127"}, 1, "nodes 0 to 126", {}},
    });
}

// Identical faults put every node either in all their P dihedra or in none: min 0, max the
// number of faults. "default val." spreads n levels min + 0.5 + i (max - min - 1) / (n - 1),
// a single level min + 0.5 when max - min <= 1; typed levels are listed in order, those within
// 0.01 of a whole number drawn 0.01 above it.
TEST_F(CliCommands, DihedraContourLevelsOfDefaultValues)
{
    const BuiltFault reverse{90.5, 45.5, 90.5};
    const fs::path four = faultSheet(*this, "four.plq", std::vector<BuiltFault>(4, reverse));
    const fs::path one = faultSheet(*this, "one.plq", {reverse});
    struct Case {
        fs::path input;
        QStringList extra;
        int faults;
        int max;
        std::vector<double> levels;
        std::vector<double> drawnAt; // empty: the levels
        int step;
    };
    // 0.5 + i / 3: ten levels from 0 to 4.
    std::vector<double> thirds;
    for (int i = 0; i < 10; ++i)
        thirds.push_back(0.5 + i / 3.0);
    const Case cases[] = {
        {four, {}, 4, 4, thirds, {}, 10},
        {four, {"--curves", "25"}, 4, 4, thirds, {}, 10},
        {four, {"--curves", "4", "--step", "15"}, 4, 4, {0.5, 1.5, 2.5, 3.5}, {}, 15},
        {four, {"--curves", "1"}, 4, 4, {0.5, 1.1, 1.7, 2.3, 2.9, 3.5}, {}, 10},
        {four, {"--levels", "2,3.5,0.995"}, 4, 4, {0.995, 2, 3.5}, {1.01, 2.01, 3.5}, 10},
        {one, {"--curves", "10"}, 1, 1, {0.5}, {}, 10},
    };
    for (const Case& c : cases) {
        const QString what = c.extra.join(' ');
        const test::CliOutcome r =
            run(QStringList{"dihedra-contour", q(c.input), "--json", "--black"} + c.extra);
        ASSERT_EQ(r.status, 0) << what.toStdString() << r.err;
        const QJsonObject j = parsed(r);
        EXPECT_EQ(j["faults"].toInt(), c.faults);
        EXPECT_EQ(j["min"].toInt(), 0);
        EXPECT_EQ(j["max"].toInt(), c.max);
        EXPECT_EQ(j["step"].toInt(), c.step);
        EXPECT_TRUE(j["filled"].toBool());
        EXPECT_TRUE(j["black_lines"].toBool());
        EXPECT_FALSE(j["bezier"].toBool());
        const QJsonArray levels = j["levels"].toArray();
        ASSERT_EQ(levels.size(), static_cast<qsizetype>(c.levels.size())) << what.toStdString();
        for (std::size_t i = 0; i < c.levels.size(); ++i) {
            const QJsonObject level = levels[static_cast<qsizetype>(i)].toObject();
            EXPECT_NEAR(level["z"].toDouble(), c.levels[i], 1e-9) << what.toStdString() << i;
            const double drawn = c.drawnAt.empty() ? c.levels[i] : c.drawnAt[i];
            EXPECT_NEAR(level["drawn_at"].toDouble(), drawn, 1e-9) << what.toStdString() << i;
        }
    }
    const QJsonObject smoothed = parsed(run({"dihedra-contour", q(four), "--bezier", "--json"}));
    EXPECT_TRUE(smoothed["bezier"].toBool());
    EXPECT_FALSE(smoothed["black_lines"].toBool());
    const test::CliOutcome text = run({"dihedra-contour", q(four), "--curves", "4", "--bezier"});
    ASSERT_EQ(text.status, 0) << text.err;
    const std::vector<std::string> expected{"4 f", "min = 0", "max = 4",
                                            "   curves : 0.5/ 1.5/ 2.5/ 3.5/"};
    EXPECT_EQ(text.lines(), expected);
}

// A reverse fault dipping 45 degrees east has its P axis horizontal east-west and its T axis
// vertical: filled above 0.5, the picture is coloured well inside the P dihedra (plunge about
// 35 degrees to the east) and left blank at the vertical.
TEST_F(CliCommands, DihedraContourPictureFillsTheDensityOfThePDihedra)
{
    const fs::path input = faultSheet(*this, "one.plq", {{90.5, 45.5, 90.5}});
    const fs::path png = dir.path() / "rad.png";
    const test::CliOutcome r = run({"dihedra-contour", q(input), "--bare", "-o", q(png)});
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage image(q(png));
    ASSERT_FALSE(image.isNull());
    const int cx = image.width() / 2, cy = image.height() / 2;
    const QColor vertical = image.pixelColor(cx, cy - image.height() / 20);
    const QColor east = image.pixelColor(cx + image.width() * 3 / 10, cy);
    EXPECT_EQ(vertical, QColor(Qt::white));
    EXPECT_NE(east, QColor(Qt::white));
}

TEST_F(CliCommands, DihedraContourRefusesWhatTheMenuAndTheDialogRefuse)
{
    const fs::path planes = sheet("planes.plq", randomPlanes(4, 24));
    const fs::path faults = faultSheet(*this, "faults.plq", randomFaults(6, 28));
    const fs::path png = dir.path() / "out.png";
    expectRefused({
        {{"dihedra-contour", q(planes), "-o", q(png)}, 1, "Error on the fault n\xC2\xB0", png},
        {{"dihedra-contour", q(faults), "--levels", "1,0", "-o", q(png)},
         1,
         "A level must be a number above 0",
         png},
        {{"dihedra-contour", q(faults), "--levels", "2,2", "-o", q(png)},
         1,
         "already in the list",
         png},
        {{"dihedra-contour", q(faults), "--levels", "1,2,3,4,5,6,7,8,9,10,11"},
         1,
         "Number of contours can't exceed 10",
         {}},
        {{"dihedra-contour", q(faults), "--step", "4"}, 2, "grid step must be a whole number", {}},
        {{"dihedra-contour", q(faults), "--curves", "2.5"},
         2,
         "number of curves must be a whole number",
         {}},
        {{"dihedra-contour", q(faults), "--crowns", "13"},
         2,
         "Usage: ploq-cli dihedra-contour",
         {}},
    });
}

TEST_F(CliCommands, HelpNamesEachSubcommandsJsonKeysAndVersion)
{
    const std::map<QString, std::vector<std::string>> keys = {
        {"info", {"measurements", "rows"}},
        {"tensor", {"eigenvalues", "eigenvectors", "cone95"}},
        {"circles", {"great_circle", "small_circle", "best_aperture", "levels"}},
        {"count", {"crowns", "nodes", "uniform_count"}},
        {"rose", {"classes", "max_class", "median"}},
        {"circular", {"hodges_ajne", "critical95"}},
        {"kuiper", {"d_min", "critical05"}},
        {"calc", {"intersection", "angle"}},
        {"plot", {"plotted", "radius"}},
        {"trackdip", {"records", "rotation_azimuth", "polygones", "maximum"}},
        {"faults-export", {"format", "title", "pairs", "lines", "written"}},
        {"faults-histogram", {"angle", "unknown_senses", "classes", "max_count"}},
        {"faults-view", {"movements", "rake", "symbol", "arrow"}},
        {"faults-select", {"pitch", "dip", "selected", "faults", "written"}},
        {"faults-enter", {"fault", "striae", "fs_angle", "rows", "written"}},
        {"merge", {"merged", "sheets", "full"}},
        {"sort", {"by", "measurements"}},
        {"contour", {"levels", "uniform_count", "max_uniformity"}},
        {"bootstrap", {"cone95", "least_chi2_pole", "aperture_interval95", "failures"}},
        {"dihedra", {"crowns", "faults", "nodes", "zero", "striae_along_pole"}},
        {"dihedra-contour", {"crowns", "min", "max", "levels", "drawn_at", "bezier"}},
        {"pt", {"pairs", "axes", "skipped"}}};
    for (const auto& [command, words] : keys) {
        const test::CliOutcome r = run({command, "--help"});
        EXPECT_EQ(r.status, 0);
        for (const std::string& word : words)
            EXPECT_NE(r.out.find(word), std::string::npos) << command.toStdString() << " " << word;
    }
    const test::CliOutcome version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find("ploq-cli 4."), std::string::npos) << version.out;
}

} // namespace
} // namespace ploq
