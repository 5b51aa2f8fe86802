#include "datasheet/Fichier.h"
#include "datasheet/SheetEntry.h"
#include "faults/FaultEntry.h"
#include "platform/Text1252.h"

#include "cli/CliApp.h"
#include "cli/CliPrompts.h"

namespace ploq {

namespace {

const std::map<std::string, Sense> kSenses = {{"normal", Sense::Normal},
                                              {"reverse", Sense::Reverse},
                                              {"dextral", Sense::Dextral},
                                              {"sinistral", Sense::Sinistral},
                                              {"unknown", Sense::Unknown}};
const std::map<std::string, Confidence> kConfidences = {{"none", Confidence::None},
                                                        {"low", Confidence::Low},
                                                        {"normal", Confidence::Normal},
                                                        {"high", Confidence::High}};

struct FaultsEnterOptions {
    std::string file; // empty: a new sheet
    std::string output;
    bool json = false;
    std::string fault;
    std::string striae;
    std::string sense = "normal";
    std::string confidence; // empty: the remembered one
    int chronology = 0;
    bool addToCode = false;
    bool lightCode = false;
    bool autoComment = false;
    std::string number = "1";
    std::string location;
    std::string faultComment;
    std::string striaeComment;
    std::optional<int> maxAngle;
};

// The dialog's form as the settings leave it, with the run's texts and choices.
FaultForm formOf(const CliApp& cli, const FaultsEnterOptions& o)
{
    FaultForm f = RememberedFaultForm(cli.settings);
    f.number = Utf8ToCp1252(o.number);
    f.fault = Utf8ToCp1252(o.fault);
    f.striae = Utf8ToCp1252(o.striae);
    f.codes.sense = kSenses.at(o.sense);
    if (!o.confidence.empty())
        f.codes.confidence = kConfidences.at(o.confidence);
    f.codes.chronology = o.chronology;
    f.codes.addToCode = f.codes.addToCode || o.addToCode;
    f.lightCode = f.lightCode || o.lightCode;
    f.autoComment = f.autoComment || o.autoComment;
    f.location = Utf8ToCp1252(o.location);
    f.faultComment = Utf8ToCp1252(o.faultComment);
    f.striaeComment = Utf8ToCp1252(o.striaeComment);
    if (o.maxAngle)
        f.maxFSDeg = *o.maxAngle;
    return f;
}

void runFaultsEnter(CliApp& cli, const FaultsEnterOptions& o)
{
    DataSheet sheet = o.file.empty() ? NewDataSheet(cli.settings) : ReadSheet(cli, o.file).sheet;
    const EntryStyle style{sheet.notation(), sheet.lShowDeci};
    CliPrompts prompts;
    const FaultPairEntry entry = PrepareFaultPair(formOf(cli, o), style, prompts);
    if (!entry.ok)
        throw CliFailure(entry.message ? Cp1252ToUtf8(entry.message->text)
                                       : std::string("the pair was not added"));
    if (const std::optional<Message> full = AppendFaultPair(sheet, entry))
        throw CliFailure(Cp1252ToUtf8(full->text));
    const FileOutcome saved = SaveSheetAsFile(sheet, o.output, cli.clock);
    if (!saved.ok)
        throw CliFailure(o.output + ": " + Cp1252ToUtf8(saved.error.message));
    const int striaeRow = sheet.rowCount();
    if (!o.json) {
        std::vector<std::string> lines{RowText(sheet, striaeRow - 1), RowText(sheet, striaeRow)};
        if (!entry.fsLabel.empty())
            lines.push_back(entry.fsLabel);
        PrintLines(cli, lines);
        return;
    }
    nlohmann::json j = {
        {"fault", PlaneJson(entry.plane.direction)},
        {"striae", LineJson(entry.striae.direction)},
        {"fs_angle", FaultStriaeAngleDeg(entry.plane.direction, entry.striae.direction)},
        {"rows", {RowJson(sheet, striaeRow - 1), RowJson(sheet, striaeRow)}},
        {"written", o.output}};
    PrintJson(cli, j);
}

} // namespace

void AddFaultsEnter(CliApp& cli)
{
    auto o = std::make_shared<FaultsEnterOptions>();
    CLI::App* sub = cli.add(
        "faults-enter",
        "Faults > Faults/striae datasheet: one fault/striae pair typed as in its dialog (the "
        "fault in the sheet's plane notation, the striae as a whole line or as a trend, pitch or "
        "plunge of a line of the plane), checked as \"Add to the datasheet\" checks it, added "
        "to the sheet FILE (or to a new one) and the sheet written to -o. Prints the two rows "
        "added and the F-S angle. The choices the dialog remembers in the "
        "preference file are the defaults.",
        "  fault {dip_direction, dip}, striae {trend, plunge}, fs_angle (degrees off the plane),\n"
        "  rows [2 rows as info's], written (the file)",
        [&cli, o] { runFaultsEnter(cli, *o); });
    sub->add_option("FILE", o->file,
                    "the data sheet (.plq) to add to (- reads it from standard input); a new "
                    "sheet without");
    sub->add_flag("--json", o->json, "a JSON object instead of the rows");
    sub->add_option("-o,--output", o->output, "the data sheet (.plq) written, FILE with the pair")
        ->required();
    sub->add_option("--fault", o->fault, "the fault plane, in the sheet's plane notation")
        ->required();
    sub->add_option("--striae", o->striae,
                    "the striae: a whole line in the line notation, or its trend, pitch or "
                    "plunge in the plane")
        ->required();
    sub->add_option("--sense", o->sense,
                    "normal (the default), reverse, dextral, sinistral or "
                    "unknown")
        ->check(CLI::IsMember({"normal", "reverse", "dextral", "sinistral", "unknown"}));
    sub->add_option("--confidence", o->confidence,
                    "none, low, normal or high (the remembered one without)")
        ->check(CLI::IsMember({"none", "low", "normal", "high"}));
    sub->add_option("--chronology", o->chronology, "the chronology number, 1..4 (0: none)")
        ->check(RangeOf(0, 4));
    sub->add_flag("--add-to-code", o->addToCode,
                  "the confidence and chronology written into the codes (also when remembered)");
    sub->add_flag("--light-code", o->lightCode,
                  "the striae's nature \"L\" alone (also when remembered)");
    sub->add_flag("--auto-comment", o->autoComment,
                  "the striae takes the fault's comment (also when remembered)");
    sub->add_option("--number", o->number, "the fault number (1 without)");
    sub->add_option("--location", o->location, "the location code of both rows");
    sub->add_option("--comment", o->faultComment, "the fault's comment");
    sub->add_option("--striae-comment", o->striaeComment, "the striae's comment");
    sub->add_option("--max-angle", o->maxAngle,
                    "the largest F-S angle of a whole line, degrees (the remembered one without)")
        ->check(RangeOf(1, 20));
}

} // namespace ploq
