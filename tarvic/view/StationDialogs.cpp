// The openers of this version: each says that its function is not available.
#include "tarvic/view/StationDialogs.h"

#include "tarvic/app/StationMessages.h"
#include "tarvic/res/TarvicResourceIds.h"

StationDialogs StationDialogs::NotAvailable()
{
    auto tell = [] { tarvic::StationMessageBox(tarvic::IDS_NOT_AVAILABLE, MB_OK | MB_ICONINFORMATION); };
    auto bed = [tell](CTarvicIIView&, NyraClientInfo&) -> INT_PTR {
        tell();
        return IDCANCEL;
    };
    auto station = [tell](CTarvicIIView&) { tell(); };
    return {bed, bed, bed, bed, bed, station, station};
}
