#pragma once

// Trackdip: where the attitude of planes measured along a depth axis (a dipmeter log, a
// section) changes. At window sizes growing by 10^0.1, two adjacent depth windows slide down
// the log; when their mean poles differ by more than a cut-off a tilt record keeps the
// rotation between them. Records of successive window sizes near the same depth with similar
// rotations are then linked into polygones, chains across scales.
//
// Nothing here knows a window: the menu command and the command line both read these numbers
// and lines. Angles are radians, depths in the units of the sheet.

#include "canvas/UtilPlot.h"
#include "model/Conversion.h"
#include "model/DataSheet.h"
#include "model/Trigo.h"
#include "stats3d/InfoTD.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

class CanvasModel;
struct CanvasPainters;
struct VarGlob;

// The rows of a log: depths increasing down the sheet, one unit vector (frame G, a plane by its
// pole) per row.
struct TrackdipRows {
    std::vector<double> z;
    std::vector<Vec3> u;
};

// The rows, or why the sheet cannot be analysed (the row numbers are the sheet's).
struct TrackdipRowsRead {
    TrackdipRows rows;
    std::string error;
};

inline constexpr std::string_view kMsgTrackdipDepths =
    "Trackdip needs at least two different depths";

// Depth = the location code as a number, direction = the row's. Refuses a location without a
// number, a row without a direction, a depth above the one before, fewer than two depths.
TrackdipRowsRead ReadTrackdipRows(const DataSheet& sheet);

// The mean of a window: one direction is itself, two their plain vector sum (not an axial
// mean), three or more the principal eigenvector of their orientation matrix.
Direction WindowMean(std::span<const Vec3> u);

// The angle between two axes, in [0, pi/2].
double AxialAngle(const Direction& a, const Direction& b);

struct TrackdipParams {
    double cutVal = 0; // tilt angle cut-off: a record needs a tilt strictly above it
    double delta = 0;  // largest angle between linked rotation axes
    int poly1 = 3;     // a polygone is kept with more than this many records
    int poly2 = 4;     // maxima are marked on polygones of more than this many elements

    static TrackdipParams FromSettings(const VarGlob& settings);
};

struct TiltRecord {
    bool used = false;
    int m1 = 0; // measurements in the upper window
    int m2 = 0; // in the lower window
    double h = 0;
    double z2 = 0; // depth of the boundary between the windows
    Direction mean1;
    Direction mean2;
    Direction axis; // the line common to the two mean planes
    double angle = 0;
    double azimuth = 0; // trend of mean 2 once plane 1 is brought back to horizontal
    int pass = 0;       // index of its window size, from 0
};

// The two means of a pair of windows as a record (h, z2 and the counts left to the caller), or
// none when they differ by no more than the cut-off.
std::optional<TiltRecord> CompareWindows(const Direction& mean1, const Direction& mean2,
                                         double cutVal);

struct TrackdipScan {
    std::vector<TiltRecord> records; // numbered from 1 in the text, in the order found
    std::vector<int> passStart;      // records of pass p: passStart[p] .. passStart[p+1]-1
    double zmin = 0;
    double zmax = 0;
    double firstWindow = 0;
    double lastWindow = 0;

    int passes() const { return static_cast<int>(passStart.size()) - 1; }
};

// The window sizes and the scan of every pass (the rows must come from ReadTrackdipRows).
TrackdipScan ScanTrackdip(const TrackdipRows& rows, double cutVal);

// Whether candidate J continues the polygone of the current record C: its boundary within h(C)
// of C's, their rotation axes less than delta apart, their rotation azimuths within 90 degrees
// on the circle.
bool LinkTest(const TiltRecord& candidate, const TiltRecord& current, double delta);

struct Polygone {
    std::vector<int> records; // indices into the scan's records, largest window first
    bool side = false;        // followed again from its first branch
};

struct TrackdipLinks {
    std::vector<Polygone> polygones; // the retained ones
    std::vector<std::string> panel;  // the branch lines, then the count of steps and links
    int iterations = 0;
    int links = 0;
};

// Links the records into polygones (their used flags change).
TrackdipLinks LinkPolygones(std::vector<TiltRecord>& records, std::span<const int> passStart,
                            const TrackdipParams& params);

// The table of records: the header, and the line of record k (from 1).
std::string TrackdipHeader();
std::string TrackdipLine(int k, const TiltRecord& r, const Notation& notation);

// "Trackdip - " and the sheet caption cut before its first "."; "segments (" caption ")".
std::string TrackdipTitle(std::string_view caption);
std::string SegmentsTitle(std::string_view caption);

struct TrackdipResult {
    TrackdipScan scan;
    TrackdipLinks links;
    std::vector<std::string> table;    // header and one line per record
    std::vector<std::string> segments; // "polygone n° 1", its lines, the next one ...
    std::vector<std::string> panel;    // what the main window's panel receives
};

// The whole analysis of a log.
TrackdipResult RunTrackdip(const TrackdipRows& rows, const TrackdipParams& params,
                           const Notation& notation);

// The elements of the canvas: the records of each retained polygone, an end mark after each.
TrTD TrackdipElements(const TrackdipResult& result);
// What the canvas keeps of an analysis.
void KeepTrackdip(CanvasModel& canvas, const TrackdipResult& result);
// The panel lines of the canvas: time, file and title, the two cut-offs, a blank line.
std::vector<InfoLine> TrackdipCanvasReport(std::string_view caption, const TrackdipParams& params,
                                           double now);

// The sheet of the rotation axes: one row per record of every retained polygone.
DataSheet RotationAxesSheet(const TrackdipResult& result, const Notation& notation);

} // namespace ploq
