// Command identifiers of the database menu.
#pragma once

namespace designer_cmd {

const unsigned kDbReportWizard = 32976;   // also on toolbar 172
const unsigned kDbConnections = 32940;
const unsigned kDbDataSets = 32941;
const unsigned kDbBindings = 32942;
const unsigned kDbBoundFields = 32943;
const unsigned kDbDynamicQuery = 32954;
const unsigned kDbTestTemplate = 32944;

}  // namespace designer_cmd
