#include "canvas/UtilPlot.h"

#include "canvas/Dessin.h"
#include "canvas/UtilDessin.h"
#include "model/Conversion.h"
#include "model/UtilGlob.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"

#include <algorithm>

namespace ploq {

std::string PlotKey(std::string_view typed, bool identity)
{
    std::string key(typed.substr(0, kCodeLength));
    if (key == "*********")
        return {};
    if (identity && !key.empty() && key.back() != '/' && key.size() < kCodeLength)
        key += '/';
    return key;
}

namespace {

Field fieldOf(KeyField f)
{
    switch (f) {
    case KeyField::Nature: return Field::Nature;
    case KeyField::Location: return Field::Location;
    case KeyField::Number: return Field::Number;
    case KeyField::Comment: return Field::Comment;
    }
    return Field::Nature;
}

std::string cut9(const std::string& code) { return code.substr(0, kCodeLength); }

// A row holds a measurement once its value or its nature has been typed.
bool hasMeasurement(const DataSheet& sheet, int row)
{
    return !sheet.field(row, Field::Value).empty() || !sheet.field(row, Field::Nature).empty();
}

} // namespace

bool RowMatches(const DataSheet& sheet, int row, KeyField field, const std::string& key)
{
    if (key.empty())
        return true;
    const std::string code = cut9(sheet.field(row, fieldOf(field)));
    return field == KeyField::Number ? MatchNumber(key, code) : MatchCode(key, code);
}

void DessinVal(const DrawContext& ctx, const InfoVal& record)
{
    const bool plane = TestBit(record.inf, kInfPlane);
    if (!plane || TestBit(record.inf, kInfDrawPole))
        DessinerSymbole(ctx, record.sy, record.nco, record.p, record.q);
    if (plane && TestBit(record.inf, kInfDrawTrace)) {
        ctx.CnvsCourant.setPen({CouleurDe(ctx.settings.Tco, record.nco), 1});
        TraceGC(ctx, record.pen, record.azi);
    }
}

InfoVal& AjoutVal(CanvasModel& canvas, InfoVal record, const VarGlob& settings)
{
    record.nco = settings.Couleur;
    record.sy = settings.Sy;
    record.inf = canvas.lStylePlot;
    SetBit(record.inf, kInfPresent, true);
    SetBit(record.inf, kInfPlane, !record.na.empty() && IsPlane(record.na[0]));
    const Point p = DirToPixel({record.azi, record.pen}, canvas.net());
    record.p = p.x;
    record.q = p.y;
    canvas.AddRecord(record);
    ++canvas.lNC;
    return canvas.lVal[static_cast<std::size_t>(canvas.lNT)];
}

void AddLegend(CanvasModel& canvas, int symbol, int colour, const std::string& code)
{
    const std::string entry = sformat("%d.%d.%s", symbol, colour, code.c_str());
    const auto at = std::lower_bound(canvas.lsy.begin(), canvas.lsy.end(), entry);
    if (at == canvas.lsy.end() || *at != entry)
        canvas.lsy.insert(at, entry);
}

PlotResult TraceFichier(CanvasModel& canvas, const DataSheet& sheet, const PlotRequest& request,
                        const VarGlob& settings, Prompts& prompts, double now,
                        const DrawRecord& draw)
{
    PlotResult result;
    if (canvas.lNT >= kMaxValues) {
        prompts.warning(std::string(kMsgCanvasFull));
        result.refused = true;
        return result;
    }
    const std::string key = PlotKey(request.typedKey, request.identity);
    static constexpr int headingOf[] = {2, 4, 3, 5}; // TNomC entry of each key field
    const std::string selection =
        key.empty() ? std::string(" (no selection)")
                    : settings.TNomC[static_cast<std::size_t>(headingOf[static_cast<int>(request.field)])]
                          + " : " + key;
    const int first = std::max(1, std::min(request.line1, request.line2));
    const int last = std::min(sheet.rowCount(), std::max(request.line1, request.line2));
    const int oldNT = canvas.lNT;
    const int oldNC = canvas.lNC;
    canvas.lUndoPlot.v1 = canvas.lUndoPlot.v2 = 0;

    std::vector<int> addedRows;
    for (int row = first; row <= last && !sheet.isEmpty(); ++row) {
        if (!hasMeasurement(sheet, row) || !RowMatches(sheet, row, request.field, key))
            continue;
        if (canvas.lNT >= kMaxValues) {
            if (prompts.warning(std::string(kMsgLimitReached), Button::Yes | Button::Cancel)
                != Button::Yes) {
                canvas.lNT = oldNT;
                canvas.lNC = oldNC;
                result.cancelled = true;
                return result;
            }
            break;
        }
        InfoVal record;
        record.azi = sheet.ltAz[static_cast<std::size_t>(row)];
        record.pen = sheet.ltPe[static_cast<std::size_t>(row)];
        record.na = cut9(sheet.field(row, Field::Nature));
        record.nu = cut9(sheet.field(row, Field::Number));
        record.lo = cut9(sheet.field(row, Field::Location));
        record.co = cut9(sheet.field(row, Field::Comment));
        InfoVal& added = AjoutVal(canvas, record, settings);
        if (draw)
            draw(added);
        addedRows.push_back(row);
    }
    result.added = static_cast<int>(addedRows.size());

    result.info.push_back({shortTime(now) + " - " + WithoutExtension(request.sheetTitle), true});
    result.info.push_back({sformat("%s - lines %d to %d (%d new val.)", selection.c_str(), first,
                                   last, result.added)});
    if (TestBit(settings.OptVal, kOptValListInfo)) {
        const Notation notation{sheet.lFrtS, sheet.lFrtL};
        for (int i = oldNT + 1; i <= canvas.lNT; ++i) {
            const InfoVal& v = canvas.lVal[static_cast<std::size_t>(i)];
            const std::string dir = DirToText(sheet.lShowDeci, TestBit(v.inf, kInfPlane), v.pen,
                                              v.azi, notation);
            result.info.push_back({sformat("%s / %s  %s ", v.nu.str().c_str(),
                                           v.na.str().c_str(), dir.c_str())});
        }
    }
    if (result.added > 0)
        canvas.lUndoPlot = {oldNT + 1, canvas.lNT, 0, 1, 0, true};
    AddLegend(canvas, settings.Sy, settings.Couleur, key.empty() ? "no selection" : key);
    return result;
}

} // namespace ploq
