#include "chdb/DatabaseState.h"

#include "chdb/ListBuilds.h"

void DatabaseState::ClearShownData()
{
    satList.clear();
    casList.clear();
    list = kNoData;
    modified = false;
    db.Clear();
}

void DatabaseState::ApplyImport(ChannelDatabase&& imported)
{
    satList.clear();
    casList.clear();
    list = kNoData;
    stbAddress.clear();
    modified = false;

    db = std::move(imported);
    pin = db.pinText();
    satList = BuildSatelliteList(db);
    casList = BuildBuiltInCasList();
    modified = true;
    list = 0;
}
