#include "app/VarGlob.h"

#include "model/UtilGlob.h"
#include "platform/SafeFile.h"
#include "platform/Text1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <system_error>
#include <type_traits>

namespace ploq {

namespace {

// No sound line comes near this; the cap keeps a damaged file from filling the memory.
constexpr std::size_t kMaxLineBytes = 8192;

// Calls the visitor once per line of the file, in order, on the value the line holds. Reading
// and writing share this one table so that they cannot drift apart.
template <class Block, class Visitor> void ForEachPrefLine(Block& v, Visitor& f)
{
    f.stamp();
    for (auto* x : {&v.AmBS, &v.PeBS})
        f.integer(*x);
    for (auto* x : {&v.RotAz, &v.RotPl, &v.RotAngle})
        f.real(*x);
    for (auto* x : {&v.C1, &v.C2, &v.C3, &v.C4, &v.C5, &v.CoFltN, &v.CoFltR, &v.CoFltD, &v.CoFltS})
        f.integer(*x);
    f.text(v.OptFltCodes);
    f.integer(v.ColMvtF);
    f.integer(v.Couleur);
    f.real(v.TDcutVal); // line 19; line 242 holds it again and wins
    f.real(v.Decl);
    f.integer(v.FontHeight);
    f.text(v.FontName);
    for (auto* x :
         {&v.FrtL,       &v.FrtS,  &v.GridCol, &v.GridStep, &v.MainH,        &v.MainL,
          &v.MainT,      &v.MainW, &v.SheetH,  &v.SheetW,   &v.Stats2DShift, &v.Stats2DWidth,
          &v.Reserved35, &v.TextH, &v.TextW,   &v.IpFS,     &v.IpFR,         &v.IpSep,
          &v.IpVal,      &v.IpNat, &v.IpNum,   &v.IpLoc,    &v.IpCom,        &v.IpIsS})
        f.integer(*x);
    for (auto& x : v.ColW)
        f.integer(x);
    f.integer(v.NbCr);
    f.integer(v.NbTirBS);
    f.text(v.NomFBatch);
    for (auto* x : {&v.OptS3Dadd, &v.OptVal, &v.OptDataU, &v.Rc})
        f.integer(*x);
    for (auto& x : v.Tco)
        f.integer(x);
    for (auto& x : v.TcoAdd)
        f.integer(x);
    for (auto& x : v.TcoCont)
        f.integer(x);
    f.text(v.TNomC[5]); // line 155; line 168 holds it again and wins
    for (auto& x : v.FRecents)
        f.text(x);
    for (std::size_t i = 1; i <= kFieldCount; ++i)
        f.text(v.TNomC[i]);
    for (auto& x : v.SyAdd)
        f.integer(x);
    for (auto* x :
         {&v.OptAdd, &v.StyleCnvs, &v.StyleCont, &v.StyleFlt, &v.StyleGene, &v.StyleStats2D,
          &v.StylePlot, &v.OptRot, &v.OptWP, &v.SyAddCur, &v.Sy, &v.Reserved241})
        f.integer(*x);
    f.real(v.TDcutVal);
    f.real(v.TDdelta);
    for (auto* x : {&v.TDpoly1, &v.TDpoly2, &v.TDsySum, &v.TDopt, &v.MaxFS})
        f.integer(*x);
}

// ---- reading

enum class Parse { Ok, Bad, OutOfRange };

// The first blank-separated word of the line: the file's reader takes one value from the start
// of each line and skips the rest.
std::string_view FirstWord(std::string_view line)
{
    const auto start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return {};
    line.remove_prefix(start);
    return line.substr(0, line.find_first_of(" \t"));
}

// The value in the first word of the line; `value` is left alone unless the word is sound.
template <class T> Parse ParseNumber(std::string_view line, T& value)
{
    std::string_view word = FirstWord(line);
    if (word.size() > 1 && word[0] == '+' && word[1] != '-' && word[1] != '+')
        word.remove_prefix(1); // from_chars refuses the plus sign that people write
    T parsed{};
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, parsed);
    if (result.ec == std::errc::result_out_of_range)
        return Parse::OutOfRange;
    if (result.ec != std::errc() || result.ptr != end)
        return Parse::Bad;
    if constexpr (std::is_floating_point_v<T>)
        if (!std::isfinite(parsed))
            return Parse::Bad; // "inf" and "nan" are words from_chars knows, not numbers
    value = parsed;
    return Parse::Ok;
}

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 && c != '\t';
}

class PrefReader {
public:
    explicit PrefReader(std::istream& in) : in_(in) {}

    void stamp() { nextLine(); }
    void integer(std::int32_t& value) { number(value, "an integer"); }
    void real(double& value) { number(value, "a number"); }
    void text(std::string& value)
    {
        if (!nextLine())
            return;
        if (std::any_of(line_.begin(), line_.end(), IsControl))
            fail("the text holds control characters");
        else
            value = line_;
    }

    std::vector<std::string> problems() const { return problems_; }
    // The values read before a refused read are not to be trusted with the rest unknown.
    bool unreadable() const { return unreadable_; }

private:
    template <class T> void number(T& value, const char* expected)
    {
        if (!nextLine())
            return;
        switch (ParseNumber(line_, value)) {
        case Parse::Ok: break;
        case Parse::Bad: fail(sformat("%s is expected", expected)); break;
        case Parse::OutOfRange: fail("the number is out of range"); break;
        }
    }

    // Reads the next line into line_; false once reading has stopped.
    bool nextLine()
    {
        if (stopped_)
            return false;
        ++lineNo_;
        bool tooLong = false;
        bool ended = false;
        try {
            ended = !readLine(tooLong);
        } catch (const std::ios_base::failure& failure) {
            // A file stream throws when the system refuses a read: a folder, a failing disk.
            problems_ = {
                sformat("line %d cannot be read (%s)", lineNo_, failure.code().message().c_str()),
                "Every setting keeps its default value."};
            stopped_ = unreadable_ = true;
            return false;
        }
        if (ended) {
            stop(sformat("the file ends after line %d (%d lines are expected)", lineNo_ - 1,
                         kPrefLineCount));
            return false;
        }
        if (tooLong && lineNo_ > 1) {
            fail("the line is too long");
            return false;
        }
        return true;
    }

    // A line ends at LF, with an optional CR before it; the last line may lack its end.
    bool readLine(bool& tooLong)
    {
        line_.clear();
        std::streambuf* buffer = in_.rdbuf();
        if (buffer == nullptr)
            return false;
        auto c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof())
            return false;
        bool cut = false;
        for (; c != std::char_traits<char>::eof() && c != '\n'; c = buffer->sbumpc()) {
            if (line_.size() <= kMaxLineBytes)
                line_.push_back(static_cast<char>(c));
            else
                cut = true;
        }
        if (!cut && !line_.empty() && line_.back() == '\r')
            line_.pop_back();
        tooLong = cut || line_.size() > kMaxLineBytes;
        return true;
    }

    void fail(const std::string& what) { stop(sformat("line %d: %s", lineNo_, what.c_str())); }

    void stop(const std::string& what)
    {
        problems_.push_back(what);
        // Line 1 holds nothing but the time of writing.
        problems_.push_back(sformat("The settings from line %d on keep their default values.",
                                    std::max(lineNo_, 2)));
        stopped_ = true;
    }

    std::istream& in_;
    std::string line_;
    int lineNo_ = 0;
    bool stopped_ = false;
    bool unreadable_ = false;
    std::vector<std::string> problems_;
};

// ---- keeping loaded values usable

// Symbols have these numbers, or their negatives for the tadpole variants.
bool IsSymbolNumber(std::int32_t n)
{
    const std::int64_t a = std::abs(static_cast<std::int64_t>(n));
    return (a >= 1 && a <= 16) || (a >= 20 && a <= 23) || (a >= 101 && a <= 111) || a == 200
           || (a >= 301 && a <= 307);
}

bool IsPasCont(int mesh)
{
    static constexpr std::array<int, 7> meshes = {3, 4, 6, 9, 10, 12, 15};
    return std::find(meshes.begin(), meshes.end(), mesh) != meshes.end();
}

// A setting used as an index, a count or a step, and the values it may take.
struct IntRange {
    int line;
    const char* name;
    std::int32_t VarGlob::*field;
    std::int32_t lo;
    std::int32_t hi;
    bool zeroAllowed = true;
};

const IntRange kRanges[] = {
    {2, "AmBS", &VarGlob::AmBS, 1, 180},
    {3, "PeBS", &VarGlob::PeBS, 1, 90},
    {12, "CoFltN", &VarGlob::CoFltN, 0, kColourCount - 1},
    {13, "CoFltR", &VarGlob::CoFltR, 0, kColourCount - 1},
    {14, "CoFltD", &VarGlob::CoFltD, 0, kColourCount - 1},
    {15, "CoFltS", &VarGlob::CoFltS, 0, kColourCount - 1},
    {17, "ColMvtF", &VarGlob::ColMvtF, 0, kColourCount - 1},
    {18, "Couleur", &VarGlob::Couleur, 0, kColourCount - 1},
    {21, "FontHeight", &VarGlob::FontHeight, -200, 200, false},
    {23, "FrtL", &VarGlob::FrtL, 0, 2},
    {24, "FrtS", &VarGlob::FrtS, 0, 4},
    {25, "GridCol", &VarGlob::GridCol, 12, 16},
    {26, "GridStep", &VarGlob::GridStep, 1, 90},
    {33, "Stats2DShift", &VarGlob::Stats2DShift, -180, 180},
    {34, "Stats2DWidth", &VarGlob::Stats2DWidth, 1, 180},
    {38, "IpFS", &VarGlob::IpFS, 0, 6},
    {39, "IpFR", &VarGlob::IpFR, 0, 6},
    {40, "IpSep", &VarGlob::IpSep, 0, 2},
    {41, "IpVal", &VarGlob::IpVal, 1, kPloqFieldCount},
    {42, "IpNat", &VarGlob::IpNat, 1, kPloqFieldCount},
    {43, "IpNum", &VarGlob::IpNum, 1, kPloqFieldCount},
    {44, "IpLoc", &VarGlob::IpLoc, 1, kPloqFieldCount},
    {45, "IpCom", &VarGlob::IpCom, 1, kPloqFieldCount},
    {46, "IpIsS", &VarGlob::IpIsS, 0, 1},
    {53, "NbCr", &VarGlob::NbCr, 5, 12},
    {54, "NbTirBS", &VarGlob::NbTirBS, 1, 4000},
    {240, "Sy", &VarGlob::Sy, -16, 16, false},
};

// Smaller nets have no room for their ticks and labels; XC = Rc + 15 must not overflow.
constexpr std::int32_t kMinRc = 20;
constexpr std::int32_t kMaxRc = 4000;

class Sanitizer {
public:
    Sanitizer(VarGlob& v, std::int32_t defaultRc, std::vector<std::string>& problems)
        : v_(v), defaultRc_(defaultRc), problems_(problems)
    {
    }

    void run()
    {
        const VarGlob defaults;
        for (const IntRange& r : kRanges) {
            std::int32_t& value = v_.*r.field;
            check(value, value >= r.lo && value <= r.hi && (r.zeroAllowed || value != 0),
                  defaults.*r.field, r.line, r.name);
        }
        check(v_.Rc, v_.Rc >= kMinRc && v_.Rc <= kMaxRc, defaultRc_, 59, "Rc");
        for (std::size_t i = 0; i < v_.TcoAdd.size(); ++i)
            check(v_.TcoAdd[i], v_.TcoAdd[i] >= 0 && v_.TcoAdd[i] < kColourCount,
                  defaults.TcoAdd[i], 77 + static_cast<int>(i), sformat("TcoAdd[%zu]", i));
        for (std::size_t i = 0; i < v_.SyAdd.size(); ++i)
            check(v_.SyAdd[i], IsSymbolNumber(v_.SyAdd[i]), defaults.SyAdd[i],
                  169 + static_cast<int>(i), sformat("SyAdd[%zu]", i));
        check(v_.SyAddCur, IsSymbolNumber(v_.SyAddCur), defaults.SyAddCur, 239, "SyAddCur");
        check(v_.TDsySum, IsSymbolNumber(v_.TDsySum), defaults.TDsySum, 246, "TDsySum");
        checkColumns(defaults);
        checkPasCont();
        if (v_.OptFltCodes.size() < 5) {
            problems_.push_back(sformat("line 16: OptFltCodes \"%s\" is too short, \"%s\" is used",
                                        v_.OptFltCodes.c_str(), defaults.OptFltCodes.c_str()));
            v_.OptFltCodes = defaults.OptFltCodes;
        }
    }

private:
    void check(std::int32_t& value, bool valid, std::int32_t fallback, int line,
               const std::string& name)
    {
        if (valid)
            return;
        problems_.push_back(sformat("line %d: %s = %d is out of range, %d is used", line,
                                    name.c_str(), value, fallback));
        value = fallback;
    }

    void checkColumns(const VarGlob& defaults)
    {
        if (IsColumnOrder({v_.C1, v_.C2, v_.C3, v_.C4, v_.C5}))
            return;
        problems_.push_back(sformat("lines 7-11: the columns %d %d %d %d %d are not an order of "
                                    "1 to 5, the default order is used",
                                    v_.C1, v_.C2, v_.C3, v_.C4, v_.C5));
        v_.C1 = defaults.C1;
        v_.C2 = defaults.C2;
        v_.C3 = defaults.C3;
        v_.C4 = defaults.C4;
        v_.C5 = defaults.C5;
    }

    void checkPasCont()
    {
        const int mesh = (v_.StyleCont & kPasContMask) >> kPasContShift;
        if (IsPasCont(mesh))
            return;
        const int fallback = (VarGlob{}.StyleCont & kPasContMask) >> kPasContShift;
        problems_.push_back(sformat(
            "line 232: the contour grid mesh %d is out of range, %d is used", mesh, fallback));
        v_.StyleCont = (v_.StyleCont & ~kPasContMask) | (fallback << kPasContShift);
    }

    VarGlob& v_;
    std::int32_t defaultRc_;
    std::vector<std::string>& problems_;
};

// ---- writing

// Texts cannot hold line ends in a file of one value per line, nor more than a reader takes.
std::string LineSafe(std::string_view text)
{
    std::string safe(text.substr(0, kMaxLineBytes));
    std::replace_if(safe.begin(), safe.end(), IsControl, ' ');
    return safe;
}

// "14:05 at 14:05:37": the time in short, then in long form.
std::string TimeStamp(DayCount now)
{
    const CivilTime t = fromDayCount(now);
    return shortTime(now) + sformat(" at %02d:%02d:%02d", t.hour, t.minute, t.second);
}

class PrefWriter {
public:
    PrefWriter(std::ostream& out, DayCount now) : out_(out), now_(now) {}

    void stamp() { put(TimeStamp(now_)); }
    void integer(std::int32_t value) { put(std::to_string(value)); }
    void real(double value) { put(FormatPrefReal(value)); }
    void text(const std::string& value) { put(LineSafe(value)); }

private:
    void put(std::string_view line) { out_ << line << "\r\n"; }

    std::ostream& out_;
    DayCount now_;
};

// ---- derived values

double PixMMOf(const ScreenMetrics& screen)
{
    // A screen reporting nonsense must not give a net of zero or a million pixels.
    const double ppi = std::isfinite(screen.pixelsPerInch) && screen.pixelsPerInch >= 24
                               && screen.pixelsPerInch <= 1200
                           ? screen.pixelsPerInch
                           : 96.0;
    return ppi / 25.3; // 25.3, not 25.4: the nets keep the size users have always had
}

std::int32_t DefaultRc(double pixMM)
{
    return RoundHalfEven(50 * pixMM);
}

void DeriveValues(VarGlob& v, const ScreenMetrics& screen)
{
    v.PixMM = PixMMOf(screen);
    std::copy(kDefaultTco.begin() + kUserColourCount, kDefaultTco.end(),
              v.Tco.begin() + kUserColourCount);
    v.XC = v.Rc + 15;
    v.YC = v.Rc + 15;
    v.ShowDeci = TestBit(v.OptVal, kOptValShowDeci);
    v.PasCont = (v.StyleCont & kPasContMask) >> kPasContShift;
}

Message MessageOf(MsgKind kind, std::string text)
{
    Message message;
    message.kind = kind;
    message.text = std::move(text);
    return message;
}

std::string Quoted(const std::filesystem::path& path)
{
    const std::u8string name = path.u8string();
    return "\"" + Utf8ToCp1252({reinterpret_cast<const char*>(name.data()), name.size()}) + "\"";
}

} // namespace

void DefaultPrefs(VarGlob& v, const ScreenMetrics& screen)
{
    const VarGlob kept = v;
    v = VarGlob{};
    v.Reserved35 = kept.Reserved35;
    v.Reserved241 = kept.Reserved241;
    v.TDopt = kept.TDopt;
    v.MainL = screen.width / 2 - 300;
    v.Rc = DefaultRc(PixMMOf(screen));
    DeriveValues(v, screen);
}

std::vector<std::string> LoadPrefs(VarGlob& v, std::istream& in, const ScreenMetrics& screen)
{
    v = VarGlob{};
    DefaultPrefs(v, screen);
    PrefReader reader(in);
    ForEachPrefLine(v, reader);
    std::vector<std::string> problems = reader.problems();
    if (reader.unreadable()) {
        v = VarGlob{};
        DefaultPrefs(v, screen);
        return problems;
    }
    Sanitizer(v, DefaultRc(PixMMOf(screen)), problems).run();
    DeriveValues(v, screen);
    return problems;
}

void SavePrefs(const VarGlob& v, std::ostream& out, DayCount now)
{
    PrefWriter writer(out, now);
    ForEachPrefLine(v, writer);
}

std::string FormatPrefReal(double value)
{
    // The largest doubles round up to a 15-digit text beyond the range a reader accepts.
    constexpr double kLargestWritten = 1.79769313486231e308;
    value = std::isfinite(value) ? std::clamp(value, -kLargestWritten, kLargestWritten) : 0.0;
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 14);
    // "6.10865238198015e-02": widen the exponent to a sign and four digits.
    const std::string_view digits(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = digits.find('e');
    int exponent = 0;
    std::from_chars(digits.data() + e + 2, digits.data() + digits.size(), exponent);
    const bool negativeExponent = digits[e + 1] == '-';
    return sformat("%c%.*sE%c%04d", std::signbit(value) ? '-' : ' ', static_cast<int>(e),
                   digits.data(), negativeExponent ? '-' : '+', exponent);
}

std::filesystem::path PrefsPath()
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(kPrefFileName, error);
    return error ? std::filesystem::path(kPrefFileName) : path;
}

std::vector<Message> LoadPrefsFile(VarGlob& v, const std::filesystem::path& path,
                                   const ScreenMetrics& screen, DayCount now)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        DefaultPrefs(v, screen);
        std::vector<Message> messages = {MessageOf(
            MsgKind::Information, "Preference file " + Quoted(path)
                                      + " not found or alterated...\nA defect file is created")};
        if (auto failure = SavePrefsFile(v, path, now))
            messages.push_back(*failure);
        return messages;
    }
    const std::vector<std::string> problems = LoadPrefs(v, in, screen);
    if (problems.empty())
        return {};
    std::string text = "Error reading the preference file " + Quoted(path) + ":";
    for (const std::string& problem : problems)
        text += "\n" + problem;
    return {MessageOf(MsgKind::Error, text)};
}

std::optional<Message> SavePrefsFile(const VarGlob& v, const std::filesystem::path& path,
                                     DayCount now)
{
    std::ostringstream text;
    SavePrefs(v, text, now);
    std::error_code error;
    if (ReplaceFile(path.string(), text.str(), error))
        return std::nullopt;
    return MessageOf(MsgKind::Error, "Input/output error: the preference file " + Quoted(path)
                                         + " could not be written (" + error.message() + ").");
}

} // namespace ploq
