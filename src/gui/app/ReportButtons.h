#pragma once

class FrmCode;
class FrmkLID;

// The print buttons of the windows that print, connected to the reports. Here, in the program,
// because only the program knows both the windows and the reports.

// Command6 prints the result sheet of the subject scored last (and empties the scored-subject
// code once it is shown); Command3 prints the results list of every subject.
void ConnectReportButtons(FrmkLID *window);

// Command1 prints the results list of the rows the grid shows once a group is chosen, then reads
// the deletion cursor again; Command7 prints the summary of the chosen group (or of everyone).
void ConnectReportButtons(FrmCode *window);
