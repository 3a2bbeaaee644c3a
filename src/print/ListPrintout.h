#pragma once

class TDataModule1;
class TDBGridPrintJob;

// The three list printouts: a table as a landscape list, one record per printed row, 30 rows a
// page, the title row on every page and "Page n of m" below. The windows and the command line set
// their job up here, so both print the same list.
enum class ListPrintout { Payers, Clients, Bookings };

void setUpListJob(TDBGridPrintJob &job, ListPrintout list, TDataModule1 &data);
