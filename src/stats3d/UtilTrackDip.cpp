#include "stats3d/UtilTrackDip.h"

#include "app/VarGlob.h"
#include "canvas/Plot.h"
#include "model/UtilGlob.h"
#include "platform/Clock.h"
#include "stats3d/Eigen.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace ploq {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = kPi / 2;
constexpr double kRadToDeg = 1 / kDegToRad;
const double kWindowStep = std::pow(10.0, 0.1); // ten window sizes per decade
constexpr int kMostCandidates = 5;              // more candidates end a polygone
constexpr int kSideSteps = 100;

bool hasDigit(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string degrees(double radians, int decimals = 1)
{
    return FormatFixed(radians * kRadToDeg, decimals);
}

// The distance of two azimuths on the circle, in [0, pi].
double circularDistance(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 2 * kPi);
    return std::min(d, 2 * kPi - d);
}

} // namespace

TrackdipRowsRead ReadTrackdipRows(const DataSheet& sheet)
{
    TrackdipRowsRead read;
    if (sheet.isEmpty()) {
        read.error = kMsgTrackdipDepths;
        return read;
    }
    const int n = sheet.rowCount();
    read.rows.z.reserve(static_cast<std::size_t>(n));
    read.rows.u.reserve(static_cast<std::size_t>(n));
    for (int row = 1; row <= n; ++row) {
        const std::string& location = sheet.field(row, Field::Location);
        double z = 0;
        if (!hasDigit(location) || !TryReadReal(location, z)) {
            read.error = sformat("Row %d: the location code is not a depth", row);
            return read;
        }
        const std::optional<Direction> d = RowDirection(sheet, row);
        if (!d) {
            read.error = sformat("Row %d: the value is not a direction", row);
            return read;
        }
        if (row > 1 && z < read.rows.z.back()) {
            read.error = sformat("Depth of row %d is above the depth of row %d: depths must "
                                 "increase down the sheet",
                                 row, row - 1);
            return read;
        }
        read.rows.z.push_back(z);
        read.rows.u.push_back(DirToVec(*d));
    }
    if (read.rows.z.back() <= read.rows.z.front())
        read.error = kMsgTrackdipDepths;
    return read;
}

Direction WindowMean(std::span<const Vec3> u)
{
    if (u.size() == 1)
        return VecToDir(u[0]);
    if (u.size() == 2)
        return VecToDir({u[0].x + u[1].x, u[0].y + u[1].y, u[0].z + u[1].z});
    return EigenAxis(Jacobi3(OrientationMatrix(u).T), 0);
}

double AxialAngle(const Direction& a, const Direction& b)
{
    const double theta = AngleBetween(a, b);
    return std::min(theta, kPi - theta);
}

TrackdipParams TrackdipParams::FromSettings(const VarGlob& settings)
{
    return {settings.TDcutVal, settings.TDdelta, settings.TDpoly1, settings.TDpoly2};
}

std::optional<TiltRecord> CompareWindows(const Direction& mean1, const Direction& mean2,
                                         double cutVal)
{
    const double tilt = AxialAngle(mean1, mean2);
    if (!(tilt > cutVal))
        return std::nullopt;
    TiltRecord r;
    r.mean1 = mean1;
    r.mean2 = mean2;
    r.axis = NormalOf(mean1, mean2);
    r.angle = tilt;
    // Plane 1 brought back to horizontal about its strike: where mean 2 then points.
    const Direction strike{NormalizeTrend(mean1.trend + kHalfPi), 0};
    r.azimuth = RotateDir(-(kHalfPi - mean1.plunge), strike, mean2).trend;
    return r;
}

namespace {

// One pass: the pair of windows [f, f + h) and [f + h, f + 2h), f = f0 + j h, slides down the
// log. The rows being in depth order, each group is a run of rows: group 1 is [a, b), group 2
// [b, i) while row i is read.
class PassScanner {
public:
    PassScanner(const TrackdipRows& rows, double h, double f0, double cutVal, int pass,
                std::vector<TiltRecord>& out)
        : rows_(rows), h_(h), f0_(f0), cutVal_(cutVal), pass_(pass), out_(out)
    {
    }

    void run()
    {
        const std::size_t n = rows_.z.size();
        std::size_t a = 0, b = 0, i = 0;
        long long j = 0;
        while (i < n) {
            const double z = rows_.z[i];
            if (z >= bound(j + 2)) {
                process(a, b, i, j);
                // The rows of group 2 are read again into the window moved down: they form
                // group 1, and the row that closed the pair is read again.
                a = b;
                b = i;
                ++j;
                if (a == i)
                    j = skipEmpty(z, j);
            } else if (z >= bound(j + 1)) {
                ++i;
            } else {
                b = ++i;
            }
        }
        process(a, b, n, j);
    }

private:
    double bound(long long k) const { return f0_ + static_cast<double>(k) * h_; }

    // With both groups empty, the windows move down until the row no longer closes the pair:
    // the first j with z < bound(j + 2), found at once rather than one window at a time.
    long long skipEmpty(double z, long long j) const
    {
        long long k = std::max(j, static_cast<long long>(std::floor((z - f0_) / h_)) - 1);
        while (z >= bound(k + 2))
            ++k;
        while (k > j && z < bound(k + 1))
            --k;
        return k;
    }

    Direction meanOf(std::size_t from, std::size_t to)
    {
        // The lower group of a pair is the upper group of the next one.
        if (from != cachedFrom_ || to != cachedTo_) {
            cachedMean_ = WindowMean(std::span(rows_.u).subspan(from, to - from));
            cachedFrom_ = from;
            cachedTo_ = to;
        }
        return cachedMean_;
    }

    void process(std::size_t a, std::size_t b, std::size_t c, long long j)
    {
        if (a == b || b == c)
            return;
        const Direction mean1 = meanOf(a, b);
        const Direction mean2 = meanOf(b, c);
        std::optional<TiltRecord> r = CompareWindows(mean1, mean2, cutVal_);
        if (!r)
            return;
        r->m1 = static_cast<int>(b - a);
        r->m2 = static_cast<int>(c - b);
        r->h = h_;
        r->z2 = bound(j + 1);
        r->pass = pass_;
        out_.push_back(*r);
    }

    const TrackdipRows& rows_;
    double h_;
    double f0_;
    double cutVal_;
    int pass_;
    std::vector<TiltRecord>& out_;
    std::size_t cachedFrom_ = std::numeric_limits<std::size_t>::max();
    std::size_t cachedTo_ = 0;
    Direction cachedMean_;
};

double smallestStep(const std::vector<double>& z)
{
    double s = std::numeric_limits<double>::infinity();
    for (std::size_t i = 1; i < z.size(); ++i)
        if (z[i] > z[i - 1])
            s = std::min(s, z[i] - z[i - 1]);
    return s;
}

} // namespace

TrackdipScan ScanTrackdip(const TrackdipRows& rows, double cutVal)
{
    TrackdipScan scan;
    scan.passStart.push_back(0);
    if (rows.z.size() < 2 || !(rows.z.back() > rows.z.front()))
        return scan;
    scan.zmin = rows.z.front();
    scan.zmax = rows.z.back();
    const double range = scan.zmax - scan.zmin;
    double h = smallestStep(rows.z) / std::pow(10.0, 0.2);
    for (long long windows = 2; windows > 1;) {
        h *= kWindowStep;
        windows = static_cast<long long>(std::floor(range / h));
        // The windows are centred on the depth range.
        const double f0 = (range - static_cast<double>(windows) * h) / 2 + scan.zmin - h / 2;
        if (scan.passes() == 0)
            scan.firstWindow = h;
        PassScanner(rows, h, f0, cutVal, scan.passes(), scan.records).run();
        scan.passStart.push_back(static_cast<int>(scan.records.size()));
        scan.lastWindow = h;
    }
    return scan;
}

bool LinkTest(const TiltRecord& candidate, const TiltRecord& current, double delta)
{
    return std::fabs(candidate.z2 - current.z2) <= current.h
           && AxialAngle(candidate.axis, current.axis) < delta
           && circularDistance(candidate.azimuth, current.azimuth) <= kHalfPi;
}

namespace {

class Linker {
public:
    Linker(std::vector<TiltRecord>& records, std::span<const int> passStart,
           const TrackdipParams& params)
        : records_(records), passStart_(passStart), params_(params)
    {
    }

    TrackdipLinks run()
    {
        for (int start = lastUnused(); start >= 0; start = lastUnused()) {
            ++links_.iterations;
            Polygone main = chain(start);
            if (static_cast<int>(main.records.size()) <= params_.poly1)
                continue;
            links_.polygones.push_back(main);
            if (branch_ >= 0) {
                Polygone side = sideChain(branch_);
                if (side.records.size() >= 2)
                    links_.polygones.push_back(std::move(side));
            }
        }
        links_.panel.emplace_back();
        links_.panel.push_back(
            sformat("%d iterations , %d  limits ", links_.iterations, links_.links));
        return std::move(links_);
    }

private:
    // Records are released only below the start of the polygone being made (they were unused
    // then, and the start is the last unused one): the search goes down from there.
    int lastUnused()
    {
        while (unusedBelow_ > 0 && records_[static_cast<std::size_t>(unusedBelow_ - 1)].used)
            --unusedBelow_;
        return unusedBelow_ - 1;
    }

    TiltRecord& at(int k) { return records_[static_cast<std::size_t>(k)]; }

    // The unused records of the pass before the current record's that it links to, marked
    // used, by decreasing rotation angle.
    std::vector<int> candidates(int current)
    {
        std::vector<int> linked;
        const int pass = at(current).pass;
        if (pass == 0)
            return linked;
        const auto p = static_cast<std::size_t>(pass);
        // A pass is in depth order: only the records within h of the boundary are tested.
        const auto first = records_.begin() + passStart_[p - 1];
        const auto last = records_.begin() + passStart_[p];
        // A little wider than h: LinkTest decides at the edges.
        const double reach = at(current).h * (1 + 1e-9);
        const double top = at(current).z2 - reach;
        const auto from = std::lower_bound(first, last, top,
                                           [](const TiltRecord& r, double z) { return r.z2 < z; });
        for (int k = static_cast<int>(from - records_.begin()); k < passStart_[p]; ++k) {
            if (at(k).z2 > at(current).z2 + reach)
                break;
            if (at(k).used || !LinkTest(at(k), at(current), params_.delta))
                continue;
            at(k).used = true;
            linked.push_back(k);
        }
        std::stable_sort(linked.begin(), linked.end(),
                         [this](int x, int y) { return at(x).angle > at(y).angle; });
        return linked;
    }

    // Takes the first candidate, releasing the others.
    int takeFirst(const std::vector<int>& linked)
    {
        for (std::size_t k = 1; k < linked.size(); ++k)
            at(linked[k]).used = false;
        ++links_.links;
        return linked.front();
    }

    std::string branchLine(int current, const std::vector<int>& linked)
    {
        std::string list;
        for (int k : linked)
            list += sformat("%d (%s\xB0), ", k + 1, degrees(at(k).angle).c_str());
        list.resize(list.size() - 2);
        return sformat("from %d : %s => %d", current + 1, list.c_str(), linked.front() + 1);
    }

    Polygone chain(int start)
    {
        Polygone p;
        branch_ = -1;
        at(start).used = true;
        p.records.push_back(start);
        for (int current = start;;) {
            const std::vector<int> linked = candidates(current);
            if (linked.empty() || static_cast<int>(linked.size()) > kMostCandidates)
                break;
            if (linked.size() > 1) {
                links_.panel.push_back(branchLine(current, linked));
                if (branch_ < 0)
                    branch_ = current;
            }
            current = takeFirst(linked);
            p.records.push_back(current);
        }
        return p;
    }

    // From the branching record, the first of the candidates left at each pass.
    Polygone sideChain(int from)
    {
        Polygone p;
        p.side = true;
        p.records.push_back(from);
        for (int step = 0, current = from; step < kSideSteps; ++step) {
            const std::vector<int> linked = candidates(current);
            if (linked.empty())
                break;
            current = takeFirst(linked);
            p.records.push_back(current);
        }
        return p;
    }

    std::vector<TiltRecord>& records_;
    std::span<const int> passStart_;
    TrackdipParams params_;
    TrackdipLinks links_;
    int branch_ = -1;
    int unusedBelow_ = static_cast<int>(records_.size());
};

} // namespace

TrackdipLinks LinkPolygones(std::vector<TiltRecord>& records, std::span<const int> passStart,
                            const TrackdipParams& params)
{
    return Linker(records, passStart, params).run();
}

namespace {

std::string tableRow(const std::array<std::string, 10>& c)
{
    return sformat("%5s\t%9s%9s%5s%-13s\t%5s%-13s%9s%-13s\t%9s  ", c[0].c_str(), c[1].c_str(),
                   c[2].c_str(), c[3].c_str(), c[4].c_str(), c[5].c_str(), c[6].c_str(),
                   c[7].c_str(), c[8].c_str(), c[9].c_str());
}

} // namespace

std::string TrackdipHeader()
{
    return tableRow({"Nk", "i0", "z2", "n12", "s12", "n23", "s23", "angle", "axis", "rot. az"});
}

std::string TrackdipLine(int k, const TiltRecord& r, const Notation& notation)
{
    const auto plane = [&](const Direction& d) {
        return DirToText(true, true, d.plunge, d.trend, notation);
    };
    return tableRow(
        {std::to_string(k), FormatFixed(r.h, 3), FormatFixed(r.z2, 3), std::to_string(r.m1),
         plane(r.mean1), std::to_string(r.m2), plane(r.mean2), degrees(r.angle),
         DirToText(true, false, r.axis.plunge, r.axis.trend, notation), degrees(r.azimuth)});
}

std::string TrackdipTitle(std::string_view caption)
{
    return "Trackdip - " + std::string(caption.substr(0, caption.find('.')));
}

std::string SegmentsTitle(std::string_view caption)
{
    return "segments (" + std::string(caption) + ")";
}

TrackdipResult RunTrackdip(const TrackdipRows& rows, const TrackdipParams& params,
                           const Notation& notation)
{
    TrackdipResult result;
    result.scan = ScanTrackdip(rows, params.cutVal);
    const std::vector<TiltRecord>& records = result.scan.records;
    result.table.reserve(records.size() + 1);
    result.table.push_back(TrackdipHeader());
    for (std::size_t k = 0; k < records.size(); ++k)
        result.table.push_back(TrackdipLine(static_cast<int>(k) + 1, records[k], notation));
    result.links = LinkPolygones(result.scan.records, result.scan.passStart, params);
    result.panel.emplace_back("Trackdip :");
    result.panel.insert(result.panel.end(), result.links.panel.begin(), result.links.panel.end());
    int m = 0;
    for (const Polygone& p : result.links.polygones) {
        result.segments.push_back(sformat("polygone n\xB0 %d", ++m));
        for (int k : p.records)
            result.segments.push_back(
                TrackdipLine(k + 1, records[static_cast<std::size_t>(k)], notation));
    }
    return result;
}

namespace {

// The record of largest rotation angle of a polygone (the first of equals).
int largestAngle(const Polygone& p, const std::vector<TiltRecord>& records)
{
    return *std::max_element(p.records.begin(), p.records.end(), [&](int x, int y) {
        return records[static_cast<std::size_t>(x)].angle
               < records[static_cast<std::size_t>(y)].angle;
    });
}

} // namespace

TrTD TrackdipElements(const TrackdipResult& result)
{
    const std::vector<TiltRecord>& records = result.scan.records;
    TrTD elements;
    for (const Polygone& p : result.links.polygones) {
        const int top = largestAngle(p, records);
        for (int k : p.records) {
            const TiltRecord& r = records[static_cast<std::size_t>(k)];
            elements.push_back({0, k + 1, r.h, r.z2, r.angle, r.axis.trend, k == top});
        }
        elements.push_back({0, 0, -1, -1, 0, 0, false});
    }
    return elements;
}

void KeepTrackdip(CanvasModel& canvas, const TrackdipResult& result)
{
    canvas.liTD = TrackdipElements(result);
    canvas.lTD = {true, result.scan.zmin, result.scan.zmax, result.scan.firstWindow,
                  result.scan.lastWindow};
    canvas.i0 = static_cast<int>(canvas.liTD.size());
}

std::vector<InfoLine> TrackdipCanvasReport(std::string_view caption, const TrackdipParams& params,
                                           double now)
{
    return {{shortTime(now) + " - file \"" + std::string(caption) + "\", Trackdip analysis", true},
            {"tilt angle cut-off : " + degrees(params.cutVal) + "\xB0", false},
            {"axis trend cut-off : " + degrees(params.delta) + "\xB0", false},
            {" ", false}};
}

DataSheet RotationAxesSheet(const TrackdipResult& result, const Notation& notation)
{
    DataSheet sheet;
    sheet.lFrtS = notation.frtS;
    sheet.lFrtL = notation.frtL;
    sheet.lShowDeci = true;
    sheet.setCell(0, sheet.columnOf(Field::Number), "num");
    sheet.setCell(0, sheet.columnOf(Field::Location), "z");
    sheet.setCell(0, sheet.columnOf(Field::Comment), "rot. angle");
    const std::vector<TiltRecord>& records = result.scan.records;
    int m = 0;
    int row = 0;
    for (const Polygone& p : result.links.polygones) {
        ++m;
        const int top = largestAngle(p, records);
        for (int k : p.records) {
            if (++row > 1 && !sheet.appendRow())
                return sheet;
            const TiltRecord& r = records[static_cast<std::size_t>(k)];
            sheet.setField(row, Field::Value,
                           DirToText(true, false, r.axis.plunge, r.axis.trend, notation));
            sheet.setField(row, Field::Nature, sformat(k == top ? "Lmax%d" : "Ls%d", m));
            sheet.setField(row, Field::Number, sformat("s%d  (%d)", m, k + 1));
            sheet.setField(row, Field::Location, FormatFixed(r.z2, 2));
            sheet.setField(row, Field::Comment, degrees(r.angle));
            sheet.ltAz[static_cast<std::size_t>(row)] = r.axis.trend;
            sheet.ltPe[static_cast<std::size_t>(row)] = r.axis.plunge;
            sheet.lMod[static_cast<std::size_t>(row)] = kRowChanged;
        }
    }
    sheet.Numeroter();
    sheet.lDirty = row > 0;
    return sheet;
}

} // namespace ploq
