#include "soak/overlay_table.h"

#include "harness/overlay_windows.h"
#include "harness/tuvo_process.h"
#include "harness/windows.h"
#include "res/resource.h"

namespace {

// The ribbon moves on the panel's beat.
HWND PanelOf(const TuvoProcess& tuvo) { return tuvo.Panel(); }

}  // namespace

const std::vector<OverlayRow>& Overlays()
{
    static const std::vector<OverlayRow> rows = {
        {"pointer highlight", IDC_RPEMO, Presence::ExistsOnlyInItsMode, &FindPointerHighlight,
         &FindPointerHighlight},
        {"lens", IDC_RDEKA, Presence::VisibleOnlyInItsMode, &FindLens, &FindLens},
        {"ribbon window", IDC_RRIBBON, Presence::VisibleOnlyInItsMode, &FindRibbon, &PanelOf},
    };
    return rows;
}

const std::vector<int>& ModeRadios()
{
    static const std::vector<int> radios = {IDC_ROFF, IDC_RPEMO, IDC_RDEKA, IDC_RRIBBON};
    return radios;
}

std::string ModeName(int modeRadio)
{
    switch (modeRadio) {
    case IDC_ROFF:
        return "OFF";
    case IDC_RPEMO:
        return "Pemo";
    case IDC_RDEKA:
        return "Deka";
    case IDC_RRIBBON:
        return "Ribbon";
    default:
        return "mode " + std::to_string(modeRadio);
    }
}

std::string OverlayFault(const OverlayRow& row, const TuvoProcess& tuvo, int modeRadio, Point p)
{
    const HWND window = row.find(tuvo);
    const bool own = modeRadio == row.modeRadio;
    const std::string where = std::string(row.name) + " in " + ModeName(modeRadio) + ": ";
    if (window == nullptr) {
        const bool mustExist = own || row.presence == Presence::VisibleOnlyInItsMode;
        return mustExist ? where + "missing" : "";
    }
    if (!own && row.presence == Presence::ExistsOnlyInItsMode) {
        return where + "still exists";
    }
    const bool visible = ::IsWindowVisible(window) != FALSE;
    const bool overPanel = PointInRect(RectOf(tuvo.Panel()), p);
    if (!own || overPanel) {
        return visible ? where + (own ? "shown over the panel" : "left on screen") : "";
    }
    return visible ? "" : where + "not shown";
}

std::string OverlayFaults(const TuvoProcess& tuvo, int modeRadio, Point p)
{
    std::string faults;
    for (const OverlayRow& row : Overlays()) {
        const std::string fault = OverlayFault(row, tuvo, modeRadio, p);
        if (!fault.empty()) {
            faults += fault + "\n";
        }
    }
    return faults;
}
