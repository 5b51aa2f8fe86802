#include "faults/FaultEntry.h"

#include "datasheet/SheetEntry.h"
#include "model/PartialLine.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {

namespace {

constexpr double kHalfPi = std::numbers::pi / 2;
constexpr double kRadToDeg = 1 / kDegToRad;

std::string cut(std::string_view code)
{
    return std::string(code.substr(0, kCodeLength));
}

Message box(MsgKind kind, std::string text, Buttons buttons = Button::Ok)
{
    return {kind, std::move(text), buttons, {}};
}

bool decimals(const EntryStyle& style, std::string_view typed)
{
    return style.showDecimals || HasDecimalSeparator(typed);
}

StriaeReading refusedStriae(std::string message)
{
    StriaeReading reading;
    reading.message = box(MsgKind::Error, std::move(message));
    return reading;
}

constexpr const char* kDefaultLetters = "FMB";

Confidence confidenceOfMemory(char c)
{
    switch (c) {
    case '5': return Confidence::Low;
    case '6': return Confidence::Normal;
    case '7': return Confidence::High;
    default: return Confidence::None;
    }
}

} // namespace

FaultForm RememberedFaultForm(const VarGlob& settings)
{
    FaultForm f;
    const std::string& memory = settings.OptFltCodes;
    for (std::size_t level = 0; level < f.codes.letters.size(); ++level) {
        const char c = level < memory.size() ? memory[level] : '\0';
        const bool isLetter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        f.codes.letters[level] = std::string(1, isLetter ? c : kDefaultLetters[level]);
    }
    f.codes.confidence = confidenceOfMemory(memory.size() > 3 ? memory[3] : '\0');
    f.maxFSDeg = std::clamp(settings.MaxFS, 1, 20);
    f.autoComment = TestBit(settings.StyleFlt, kFltAutoComment);
    f.codes.addToCode = TestBit(settings.StyleFlt, kFltChronoCode);
    f.lightCode = TestBit(settings.StyleFlt, kFltStriaeL);
    return f;
}

double FaultStriaeAngleDeg(const Direction& pole, const Direction& line)
{
    const double toPole = AngleBetween(pole, line);
    return std::fabs(90 - std::min(toPole, std::numbers::pi - toPole) * kRadToDeg);
}

std::string FSAngleLabel(double degrees)
{
    return "F-S angle : " + FormatFixed(degrees, 1) + "\xB0";
}

StriaeReading ReadStriae(std::string_view text, const Direction& pole, const EntryStyle& style,
                         int maxFSDeg)
{
    const PartialLine partial =
        ReadPartialLine(text, style.notation.frtL, SlashReading::PlungeFirst);
    StriaeReading reading;
    switch (partial.kind) {
    case PartialKind::None:
        return refusedStriae("striae " + std::string(text) + ": error of format or on the value");
    case PartialKind::Full: {
        const DirResult dir = TextToDir('L', text, style.notation);
        if (!dir.ok)
            return refusedStriae(dir.message);
        reading.line = {dir.trend, dir.plunge};
        const double angle = FaultStriaeAngleDeg(pole, reading.line);
        reading.fsAngleDeg = angle;
        // Compared as shown, so that an angle shown as the largest one is accepted.
        if (std::round(angle * 10) / 10 > maxFSDeg) {
            reading.message = box(MsgKind::Error, "F-S angle = " + FormatFixed(angle, 1)
                                                      + "\xB0 (max permitted = "
                                                      + std::to_string(maxFSDeg) + "\xB0)");
            return reading;
        }
        break;
    }
    default: reading.line = PartialLineInPlane(partial, pole).chosen(); break;
    }
    reading.ok = true;
    reading.text = DirToText(decimals(style, text), false, reading.line.plunge, reading.line.trend,
                             style.notation);
    return reading;
}

FaultPairEntry PrepareFaultPair(const FaultForm& form, const EntryStyle& style, Prompts& prompts)
{
    FaultPairEntry entry;
    entry.faultText = form.fault;
    entry.striaeText = form.striae;
    if (form.number.empty()) {
        entry.message = box(MsgKind::Error, std::string(kMsgNumberMandatory));
        return entry;
    }
    const DirResult plane = TextToDir('F', form.fault, style.notation);
    if (!plane.ok) {
        entry.message = box(MsgKind::Error, plane.message, Button::Cancel);
        entry.faultRefused = true;
        return entry;
    }
    const Direction pole{plane.trend, plane.plunge};
    const int dipDeg = RoundHalfEven((kHalfPi - pole.plunge) * kRadToDeg);
    if (dipDeg == 0
        && prompts.confirmation(std::string(kMsgZeroDip), Button::Yes | Button::No) != Button::Yes)
        return entry;
    const Sense sense = form.codes.sense;
    if (dipDeg == 90 && (sense == Sense::Normal || sense == Sense::Reverse)) {
        entry.message = box(MsgKind::Warning, std::string(kMsgVerticalDipSlip));
        entry.faultRefused = true;
        return entry;
    }
    entry.faultText =
        DirToText(decimals(style, form.fault), true, pole.plunge, pole.trend, style.notation);
    entry.fsLabel = std::string(kFSAngleZero);

    const StriaeReading striae = ReadStriae(form.striae, pole, style, form.maxFSDeg);
    if (striae.fsAngleDeg)
        entry.fsLabel = FSAngleLabel(*striae.fsAngleDeg);
    if (!striae.ok) {
        entry.message = striae.message;
        return entry;
    }
    entry.striaeText = striae.text;

    const std::string number = cut(form.number);
    const std::string location = cut(form.location);
    const std::string faultComment = cut(form.faultComment);
    entry.plane = {entry.faultText, PlaneNature(form.codes), number, location, faultComment, pole};
    entry.striae = {entry.striaeText,
                    StriaeNature(form.codes, form.lightCode),
                    number,
                    location,
                    form.autoComment ? faultComment : cut(form.striaeComment),
                    striae.line};
    entry.ok = true;
    return entry;
}

std::optional<Message> AppendFaultPair(DataSheet& sheet, const FaultPairEntry& entry)
{
    const int free = kMaxValues - (sheet.isEmpty() ? 0 : sheet.rowCount());
    if (free < 2)
        return box(MsgKind::Warning, SheetFullMessage());
    for (const PairRow* row : {&entry.plane, &entry.striae}) {
        if (!sheet.isEmpty())
            sheet.appendRow();
        const int at = sheet.rowCount();
        sheet.setField(at, Field::Value, row->value);
        sheet.setField(at, Field::Nature, row->nature);
        sheet.setField(at, Field::Number, row->number);
        sheet.setField(at, Field::Location, row->location);
        sheet.setField(at, Field::Comment, row->comment);
        const auto slot = static_cast<std::size_t>(at);
        sheet.ltAz[slot] = row->direction.trend;
        sheet.ltPe[slot] = row->direction.plunge;
        sheet.lMod[slot] = kRowChanged;
        // A numbered row is a row with content: the blank row is one no longer.
        sheet.setCell(at, 0, RowNumberText(at));
    }
    sheet.Numeroter();
    sheet.lDirty = true;
    return std::nullopt;
}

std::optional<std::string> FaultNumberRefusal(std::string_view number)
{
    if (number.empty() || (number.front() >= '0' && number.front() <= '9'))
        return std::nullopt;
    if (number.front() == '-')
        return "Fault number must be a positive number";
    return "First digit of the fault number must be a number (1 to 9)";
}

std::string StepFaultNumber(std::string_view number, int step)
{
    return step < 0 ? MinusOne(number) : PlusOne(number);
}

} // namespace ploq
