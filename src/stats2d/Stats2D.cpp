#include "stats2d/Stats2D.h"

#include "app/VarGlob.h"
#include "canvas/UtilPlot.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * kPi;
constexpr double kRadToDeg = 1 / kDegToRad;
// Values typed in whole degrees come back from radians a few ulps off; they belong to the
// class they were typed for.
constexpr double kClassTolerance = 1e-9;
// Angles closer than this (radians) are the same angle: a value on the far side of a
// half-circle, or a tie.
constexpr double kAngleTolerance = 1e-9;

double degrees(double radians)
{
    return radians * kRadToDeg;
}

// The angle brought into [0, range); a value a hair below the range is the origin.
double intoRange(double radians, double range)
{
    double a = std::fmod(radians, range);
    if (a < 0)
        a += range;
    if (range - a < 1e-7)
        a = 0;
    return a;
}

double rangeRad(int natM)
{
    return RangeDeg(natM) * kDegToRad;
}

// Doubled angles for axes: a half-circle of axes becomes a whole circle.
double angleFactor(int natM)
{
    return IsAxial(natM) ? 2 : 1;
}

std::vector<double> sortedDegrees(std::span<const double> sorted)
{
    std::vector<double> d(sorted.size());
    std::transform(sorted.begin(), sorted.end(), d.begin(), degrees);
    return d;
}

// The number of values of [from, to) among sorted degrees.
int countIn(const std::vector<double>& deg, double from, double to)
{
    const auto lo = std::lower_bound(deg.begin(), deg.end(), from - kClassTolerance);
    const auto hi = std::lower_bound(deg.begin(), deg.end(), to - kClassTolerance);
    return hi > lo ? static_cast<int>(hi - lo) : 0;
}

// The fullest entry of 0..last, the first one on ties.
int fullestEntry(const InfoStats2D& info, int last)
{
    const auto first = info.vCl.begin();
    return static_cast<int>(std::max_element(first, first + last + 1) - first);
}

void mirrorAxes(InfoStats2D& info)
{
    const int n = info.nCl;
    std::copy_n(info.vCl.begin(), n + 1, info.vCl.begin() + n);
    info.nCl = 2 * n;
}

} // namespace

int RangeDeg(int natM)
{
    switch (natM) {
    case kAxes180:
    case kAxes360: return 180;
    case kDips90: return 90;
    default: return 360;
    }
}

bool IsAxial(int natM)
{
    return natM == kAxes180 || natM == kAxes360;
}

bool IsCircular(int natM)
{
    return natM != kDips90;
}

double OneAngle(const Direction& d, bool plane, int natM, int sBy)
{
    if (natM == kDips90)
        return std::clamp(d.plunge, 0.0, kPi / 2);
    double azimuth = d.trend;
    if (plane && sBy == kPlaneStrike)
        azimuth += kPi / 2;
    else if (plane && sBy == kPlaneDipDirection)
        azimuth += kPi;
    return intoRange(azimuth, rangeRad(natM));
}

std::vector<double> CollectSheet(const DataSheet& sheet, const SheetSelection& selection, int natM,
                                 int sBy)
{
    std::vector<double> values;
    if (sheet.isEmpty())
        return values;
    values.reserve(static_cast<std::size_t>(sheet.rowCount()));
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        if (!selection.key.empty() && !MatchCode(selection.key, sheet.field(row, selection.field)))
            continue;
        if (sheet.field(row, Field::Value).empty())
            continue;
        const NatureCheck nature = CheckNature(sheet.field(row, Field::Nature));
        if (!nature.ok)
            continue;
        const std::optional<Direction> d = RowDirection(sheet, row);
        if (!d)
            continue;
        values.push_back(OneAngle(*d, IsPlane(nature.letter), natM, sBy));
    }
    std::sort(values.begin(), values.end());
    return values;
}

std::vector<double> CollectRecords(std::span<const InfoVal> records, const SymbolSelection* chosen,
                                   int natM, int sBy)
{
    std::vector<double> values;
    values.reserve(records.size());
    for (const InfoVal& v : records) {
        if (!TestBit(v.inf, kInfPresent) || (chosen && !chosen->shows(v)))
            continue;
        values.push_back(OneAngle({v.azi, v.pen}, TestBit(v.inf, kInfPlane), natM, sBy));
    }
    std::sort(values.begin(), values.end());
    return values;
}

WidthCheck CheckClassWidth(int width, int natM)
{
    const int range = natM == kDips90 ? 90 : 180;
    int allowed = std::clamp(width, 1, range);
    while (range % allowed != 0)
        --allowed;
    WidthCheck check{allowed, {}};
    if (allowed != width)
        check.message =
            sformat("unallowed class width (%d\xB0), changed to %d\xB0", width, allowed);
    return check;
}

std::optional<std::string> CheckShift(int shift, int width)
{
    if (shift < width)
        return std::nullopt;
    return sformat(
        "initial shift must be smaller than class width (%d\xB0), choose another value...", width);
}

int NormalShift(int shift, int width)
{
    if (width <= 0)
        return 0;
    return ((shift % width) + width) % width;
}

void CountClasses(std::span<const double> sorted, InfoStats2D& info)
{
    const int range = RangeDeg(info.natM);
    const int w = std::clamp(info.wCl, 1, range);
    const int s = NormalShift(info.oCl, w);
    const int n = range / w;
    info.wCl = w;
    info.oCl = s;
    info.nCl = n;
    info.ntV = static_cast<int>(sorted.size());
    info.vCl.fill(0);
    for (double v : sorted) {
        const double t = (degrees(v) - s) / w + kClassTolerance;
        const int entry = t < 0 ? 0 : std::min(static_cast<int>(t) + 1, n);
        ++info.vCl[static_cast<std::size_t>(entry)];
    }
    const bool circle = IsCircular(info.natM);
    if (circle)
        info.vCl[0] = info.vCl[static_cast<std::size_t>(n)] += info.vCl[0];
    if (info.natM == kAxes360)
        mirrorAxes(info);
    // On a circle entry 0 stands for the straddling class; dips have no such copy, so their
    // last class is compared too.
    const int fullest = fullestEntry(info, circle ? info.nCl - 1 : info.nCl);
    info.nCM = info.vCl[static_cast<std::size_t>(fullest)];
    info.pCM =
        fullest == 0 && !circle ? 0 : static_cast<int>(intoRange(s + (fullest - 1) * w, range));
}

void CountSmoothed(std::span<const double> sorted, InfoStats2D& info)
{
    const int range = RangeDeg(info.natM);
    const bool circle = IsCircular(info.natM);
    info.wCl = std::clamp(info.wCl, 1, range);
    info.oCl = NormalShift(info.oCl, info.wCl);
    info.ntV = static_cast<int>(sorted.size());
    info.vCl.fill(0);
    const std::vector<double> deg = sortedDegrees(sorted);
    const double h = info.wCl / 2.0;
    for (int c = 0; c <= range; ++c) {
        const double from = c - h;
        const double to = c + h;
        int count = countIn(deg, std::max(from, 0.0), std::min(to, double(range)));
        if (circle && from < 0)
            count += countIn(deg, from + range, range);
        if (circle && to > range)
            count += countIn(deg, 0, to - range);
        // Dips reach 90° itself, which no half-open window would take.
        if (!circle && to > range)
            count += static_cast<int>(
                deg.end() - std::lower_bound(deg.begin(), deg.end(), range - kClassTolerance));
        info.vCl[static_cast<std::size_t>(c)] = count;
    }
    info.nCl = range;
    if (info.natM == kAxes360) {
        std::copy_n(info.vCl.begin(), 181, info.vCl.begin() + 180);
        info.nCl = 360;
    }
    const int fullest = fullestEntry(info, circle ? info.nCl - 1 : info.nCl);
    info.nCM = info.vCl[static_cast<std::size_t>(fullest)];
    info.pCM = fullest;
}

std::vector<ClassSpan> ClassSpans(const InfoStats2D& info)
{
    const int w = info.wCl;
    const int s = info.oCl;
    const int n = info.nCl;
    std::vector<ClassSpan> spans;
    spans.reserve(static_cast<std::size_t>(n) + 1);
    if (s != 0)
        spans.push_back({0, 0, double(s)});
    for (int j = 1; j < n; ++j)
        spans.push_back({j, double(s + (j - 1) * w), double(s + j * w)});
    spans.push_back({n, double(s + (n - 1) * w), double(n * w)});
    return spans;
}

ClassSpan MaxClass(const InfoStats2D& info)
{
    const int range = RangeDeg(info.natM);
    const double from = info.pCM;
    if (!IsCircular(info.natM)) {
        // Dips: the class below the shift, or a class ending at 90° at the latest.
        const bool belowShift = info.pCM == 0 && info.oCl != 0;
        return {0, from, belowShift ? double(info.oCl) : std::min(from + info.wCl, double(range))};
    }
    double to = from + info.wCl;
    if (to > range)
        to -= range;
    return {0, from, to};
}

double MeanDirection(std::span<const double> values, int natM)
{
    const double k = angleFactor(natM);
    double s = 0;
    double c = 0;
    for (double v : values) {
        s += std::sin(k * v);
        c += std::cos(k * v);
    }
    double mean = std::atan2(s, c);
    if (mean < 0)
        mean += kTwoPi;
    return intoRange(mean / k, kTwoPi / k);
}

double MeanArcDistance(std::span<const double> values, double at, int natM)
{
    if (values.empty())
        return 0;
    const double k = angleFactor(natM);
    double sum = 0;
    for (double v : values) {
        const double d = std::fabs(std::remainder(k * (v - at), kTwoPi));
        sum += d;
    }
    return sum / static_cast<double>(values.size()) / k;
}

namespace {

// The values as angles on the whole circle (doubled for axes), sorted, with prefix sums over
// three turns, so that the sum of distances to any angle is found by two searches.
class ArcDistances {
public:
    ArcDistances(const std::vector<double>& circle) : n_(circle.size())
    {
        turns_.reserve(3 * n_);
        for (double shift : {-kTwoPi, 0.0, kTwoPi})
            for (double a : circle)
                turns_.push_back(a + shift);
        sums_.assign(turns_.size() + 1, 0);
        for (std::size_t i = 0; i < turns_.size(); ++i)
            sums_[i + 1] = sums_[i] + turns_[i];
    }

    // The sum of arc distances from `at` (in [0, 2 pi)) to the values.
    double at(double a) const
    {
        const auto index = [this](double x) {
            return static_cast<std::size_t>(std::lower_bound(turns_.begin(), turns_.end(), x)
                                            - turns_.begin());
        };
        const std::size_t lo = index(a - kPi);
        const std::size_t mid = index(a);
        const std::size_t hi = lo + n_;
        const double below = a * double(mid - lo) - (sums_[mid] - sums_[lo]);
        const double above = (sums_[hi] - sums_[mid]) - a * double(hi - mid);
        return below + above;
    }

private:
    std::size_t n_;
    std::vector<double> turns_;
    std::vector<double> sums_;
};

// The circular mean of two angles of the whole circle: the middle of the shorter arc.
double middle(double a, double b)
{
    double m = std::atan2(std::sin(a) + std::sin(b), std::cos(a) + std::cos(b));
    return m < 0 ? m + kTwoPi : m;
}

} // namespace

MedianScan MedianDirection(std::span<const double> sorted, int natM)
{
    MedianScan scan;
    const std::size_t n = sorted.size();
    if (n == 0)
        return scan;
    const double k = angleFactor(natM);
    std::vector<double> circle(n);
    for (std::size_t i = 0; i < n; ++i)
        circle[i] = intoRange(k * sorted[i], kTwoPi);
    // Axes held in [0, 180°) stay in order when doubled; a value moved onto 0 by intoRange
    // (a hair below 180°) may not.
    std::sort(circle.begin(), circle.end());
    // Two turns, so that the half-circle after a value may run past 360°.
    std::vector<double> turns(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        turns[i] = circle[i];
        turns[i + n] = circle[i] + kTwoPi;
    }
    const int half = static_cast<int>(n / 2);
    scan.nMin = static_cast<int>(n);
    std::vector<std::size_t> candidates;
    std::size_t first = 0; // first value after v_i beyond a tie with it
    std::size_t end = 0;   // first value at or beyond v_i + 180°
    for (std::size_t i = 0; i < n; ++i) {
        first = std::max(first, i + 1);
        while (first < i + n && turns[first] <= circle[i] + kAngleTolerance)
            ++first;
        end = std::max(end, first);
        while (end < i + n && turns[end] < circle[i] + kPi - kAngleTolerance)
            ++end;
        const int j = static_cast<int>(end - first);
        const int side = std::min(j, static_cast<int>(n) - j);
        if (side < scan.nMin) {
            scan.nMin = side;
            scan.iMin = static_cast<int>(i);
        }
        if (j == half)
            candidates.push_back(i);
    }
    const ArcDistances distances(circle);
    const bool even = n % 2 == 0;
    const auto medianAt = [&](std::size_t i) {
        return even ? middle(circle[i], circle[(i + 1) % n]) : circle[i];
    };
    // Ties may leave no value with exactly half the others on each side: the median is then
    // the value of least mean distance.
    std::vector<double> medians;
    for (std::size_t i : candidates)
        medians.push_back(medianAt(i));
    if (medians.empty())
        medians = circle;
    double best = medians.front();
    double bestDistance = distances.at(best);
    for (double m : medians)
        if (const double d = distances.at(m); d < bestDistance - 1e-12) {
            best = m;
            bestDistance = d;
        }
    scan.med = intoRange(best / k, kTwoPi / k);
    return scan;
}

namespace {

std::string heading(int type, DayCount now)
{
    switch (type) {
    case kDiagramRose: return shortTime(now) + " - " + " Rose diagram";
    case kDiagramCircular: return shortTime(now) + " - " + " Circular histogram";
    default: return shortTime(now) + " - Linear histogram";
    }
}

std::string degreesText(double radians)
{
    return FormatFixed(degrees(radians), 1);
}

} // namespace

Stats2DReport ComputeStats2D(std::span<const double> sorted, const Stats2DChoice& choice,
                             DayCount now)
{
    Stats2DReport report;
    InfoStats2D& info = report.info;
    info.natM = choice.natM;
    info.sBy = choice.sBy;
    info.wCl = choice.width;
    info.oCl = choice.shift;
    info.style = choice.style;
    info.colh = choice.colour;
    const bool smoothed = TestBit(choice.style, kStats2DSmoothed);
    if (smoothed)
        CountSmoothed(sorted, info);
    else
        CountClasses(sorted, info);
    // The linear histogram always reports both lines: they are computed for it whatever the
    // check boxes say.
    const bool linear = choice.type != kDiagramRose && choice.type != kDiagramCircular;
    const bool mean = linear || TestBit(choice.style, kStats2DShowMean);
    const bool median = linear || TestBit(choice.style, kStats2DShowMedian);
    if (mean)
        info.moy = MeanDirection(sorted, info.natM);
    if (median) {
        const MedianScan scan = MedianDirection(sorted, info.natM);
        info.med = scan.med;
        info.nMin = scan.nMin;
        info.iMin = scan.iMin;
    }

    std::vector<std::string>& lines = report.lines;
    lines.push_back(heading(choice.type, now));
    lines.push_back(sformat("%d values, classes of %d\xB0, origin : %d\xB0, max: %d val", info.ntV,
                            info.wCl, info.oCl, info.nCM));
    if (smoothed) {
        lines.push_back("(position of the max : " + FormatFixed(info.pCM, 1) + " d\xB0)");
    } else {
        const ClassSpan max = MaxClass(info);
        lines.push_back(sformat("(class of the max : %d - %d d\xB0)", RoundHalfEven(max.from),
                                RoundHalfEven(max.to)));
    }
    if (mean)
        lines.push_back("(average orientation : " + degreesText(info.moy) + " d\xB0)");
    if (median)
        lines.push_back("(median position : " + degreesText(info.med) + " d\xB0)");
    return report;
}

namespace {

constexpr int kKindBits[] = {kStats2DAxes180, kStats2DAxes360, kStats2DVectors360, kStats2DDips90};
constexpr int kPlaneBits[] = {kStats2DPlaneStrike, kStats2DPlaneDipDir, kStats2DPlanePole};

// The first of the bits set, or `none`.
template <std::size_t N> int firstSet(std::int32_t style, const int (&bits)[N], int none)
{
    for (std::size_t i = 0; i < N; ++i)
        if (TestBit(style, bits[i]))
            return static_cast<int>(i);
    return none;
}

} // namespace

int KindOfStyle(std::int32_t style)
{
    return firstSet(style, kKindBits, kVectors360);
}

int PlaneOfStyle(std::int32_t style)
{
    return firstSet(style, kPlaneBits, kPlaneStrike);
}

void SetKindAndPlane(std::int32_t& style, int natM, int sBy)
{
    for (int i = 0; i < 4; ++i)
        SetBit(style, kKindBits[i], i == natM);
    for (int i = 0; i < 3; ++i)
        SetBit(style, kPlaneBits[i], i == sBy);
}

std::string KindSummary(int natM)
{
    constexpr const char* summaries[] = {"axis (0 to 180\xB0)", "axis (0 to 360\xB0)",
                                         "vectors (0 to 360\xB0)", "dip (0 to 90\xB0)"};
    return summaries[std::clamp(natM, 0, 3)];
}

std::string PlaneSummary(int sBy)
{
    constexpr const char* summaries[] = {"S : trend", "S : dip direction",
                                         "S : perpendicular line"};
    return summaries[std::clamp(sBy, 0, 2)];
}

double HodgesAjneTail(int n, int k)
{
    if (n <= 0 || k < 0)
        return 0;
    if (3 * k >= n)
        return 1;
    // In logarithms: 2^(n-1) is out of range of a double beyond a thousand values.
    const double logChoose = std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
    return (n - 2 * k) * std::exp(logChoose - (n - 1) * std::numbers::ln2);
}

int HodgesAjneCritical(int n, double alpha)
{
    int critical = -1;
    for (int k = 0; 3 * k < n && HodgesAjneTail(n, k) <= alpha; ++k)
        critical = k;
    return critical;
}

HodgesAjneVerdict HodgesAjneTest(int n, int m)
{
    HodgesAjneVerdict verdict;
    verdict.available = n >= 1 && n <= kHodgesAjneMaxValues;
    if (!verdict.available)
        return verdict;
    verdict.c95 = HodgesAjneCritical(n, 0.05);
    verdict.c99 = HodgesAjneCritical(n, 0.01);
    verdict.reject95 = m <= verdict.c95;
    verdict.reject99 = m <= verdict.c99;
    return verdict;
}

namespace {

std::string criticalText(int c)
{
    return c < 0 ? std::string("none") : std::to_string(c);
}

std::string verdictLine(const HodgesAjneVerdict& v)
{
    if (v.reject95 && v.reject99)
        return "uniformity not probable at P 95% and 99%";
    if (v.reject95)
        return "non-uniformity probable at P 95%, non-uniformity not evidenced at P 99%";
    if (v.reject99)
        return "non-uniformity not evidenced at P 95%, non-uniformity probable at P 99%";
    return "non-uniformity evidenced neither at P 95% nor at P 99%";
}

} // namespace

CircularPlotReport ComputeCircularPlot(std::span<const double> sorted, int natM, int sBy,
                                       DayCount now)
{
    CircularPlotReport report;
    InfoStats2D& info = report.info;
    info.natM = natM;
    info.sBy = sBy;
    info.ntV = static_cast<int>(sorted.size());
    if (sorted.empty())
        return report;
    info.moy = MeanDirection(sorted, natM);
    const MedianScan scan = MedianDirection(sorted, natM);
    info.med = scan.med;
    info.nMin = scan.nMin;
    info.iMin = scan.iMin;
    report.diameter = sorted[static_cast<std::size_t>(scan.iMin)];
    report.verdict = HodgesAjneTest(info.ntV, info.nMin);

    std::vector<std::string>& lines = report.lines;
    lines.push_back(shortTime(now) + " - Circular plot");
    lines.push_back("Moyenne " + degreesText(info.moy) + "\xB0, median " + degreesText(info.med)
                    + "\xB0");
    lines.push_back(sformat("Hodges-Ajne's test : min %d,  max %d, diameter position  ", info.nMin,
                            info.ntV - info.nMin)
                    + degreesText(report.diameter) + "\xB0");
    const HodgesAjneVerdict& v = report.verdict;
    if (!v.available) {
        lines.push_back("(critical value for more than 50 data unavailable)");
        return report;
    }
    lines.push_back(sformat("Test = %d  Critical value 95%% and 99%% = ", info.nMin)
                    + criticalText(v.c95) + " and " + criticalText(v.c99));
    lines.push_back(verdictLine(v));
    return report;
}

double KuiperScale(int natM)
{
    switch (natM) {
    case kAxes180:
    case kAxes360: return 2;
    case kDips90: return 4;
    default: return 1;
    }
}

double StephensFactor(int n)
{
    const double root = std::sqrt(double(n));
    return root + 0.155 + 0.24 / root;
}

KuiperResult KuiperTest(std::span<const double> sorted, int natM)
{
    KuiperResult r;
    r.n = static_cast<int>(sorted.size());
    if (r.n == 0)
        return r;
    const double c = KuiperScale(natM);
    r.dMin = 1e300;
    r.dMax = -1e300;
    for (int i = 1; i <= r.n; ++i) {
        const double d = c * degrees(sorted[static_cast<std::size_t>(i - 1)]) / 360;
        const double deviation = d - double(i) / r.n;
        r.dMin = std::min(r.dMin, deviation);
        r.dMax = std::max(r.dMax, deviation);
    }
    // D+ = -dMin and D- = dMax + 1/n, whatever their signs: |dMin| + |dMax| would count a
    // negative dMax upward.
    r.V = r.dMax - r.dMin + 1.0 / r.n;
    const double k = StephensFactor(r.n);
    r.c05 = 1.75 / k;
    r.c01 = 2.0 / k;
    r.reject05 = r.V >= r.c05;
    r.reject01 = r.V >= r.c01;
    return r;
}

bool OnlyZeroValues(std::span<const double> sorted)
{
    return !sorted.empty() && sorted.back() == 0;
}

std::string KuiperCountLine(int n)
{
    return sformat("Kuiper test  nV  %d", n);
}

std::vector<std::string> KuiperLines(const KuiperResult& r, DayCount now)
{
    return {shortTime(now) + " - Kuiper test",
            "min deviation : " + FormatFixed(r.dMin, 2)
                + ", max deviation : " + FormatFixed(r.dMax, 2),
            "Test = " + FormatFixed(r.V, 2) + "  Critical value 0.05 and 0.01 = "
                + FormatFixed(r.c05, 2) + " and " + FormatFixed(r.c01, 2)};
}

std::string ListingTitle(int type, const std::string& windowTitle)
{
    switch (type) {
    case kDiagramRose: return "Rose diagram";
    case kDiagramCircular: return "Circular histogram";
    case kDiagramFaultStrikes: return "Faults Strikes";
    case kDiagramFaultDips: return "Faults Dips";
    case kDiagramFaultRakes: return "Faults Rakes";
    default: return windowTitle;
    }
}

std::vector<std::string> ClassListing(int type, std::span<const InfoStats2D> distributions,
                                      DayCount now)
{
    // Rakes are counted from -180 degrees: entry 1 holds -180 to -170.
    const int start = type == kDiagramFaultRakes ? -180 : 0;
    std::vector<std::string> lines;
    for (const InfoStats2D& info : distributions) {
        lines.push_back(shortTime(now));
        lines.push_back(sformat("Nb of values: %d, V max: %d", info.ntV, info.nCM));
        const auto line = [&lines](int from, int to, int count) {
            lines.push_back(sformat("  %d-%d\xB0 : %d", from, to, count));
        };
        const auto entry = [&info](int j) { return info.vCl[static_cast<std::size_t>(j)]; };
        const int w = info.wCl;
        const int s = info.oCl;
        const int n = info.nCl;
        if (TestBit(info.style, kStats2DSmoothed)) {
            // One window per whole degree, centred on it.
            const int h = w / 2;
            for (int c = 0; c < n + (IsCircular(info.natM) ? 0 : 1); ++c)
                line(c - h, c + (w - h), entry(c));
        } else if (s != 0) {
            line(0, s, entry(0));
            for (int j = 1; j < n; ++j)
                line(s + (j - 1) * w + 1, s + j * w, entry(j));
            line(s + (n - 1) * w + 1, n * w, entry(n));
        } else {
            for (int j = 1; j <= n; ++j)
                line(start + (j - 1) * w, start + j * w, entry(j));
        }
    }
    return lines;
}

std::string DiagramTitleSuffix(int type)
{
    switch (type) {
    case kDiagramRose: return " (rose diagram)";
    case kDiagramCircular: return " (circular histo)";
    case kDiagramKuiper: return " (Kuiper test)";
    case kDiagramLinear:
    case kDiagramFaultStrikes:
    case kDiagramFaultDips:
    case kDiagramFaultRakes: return " (histogram)";
    default: return {};
    }
}

} // namespace ploq
