#pragma once

class FrmkLID;

// The print buttons of the windows that print, connected to the reports. Here, in the program,
// because only the program knows both the windows and the reports.

// Command6 prints the result sheet of the subject scored last (and empties the scored-subject
// code once it is shown); Command3 prints the results list of every subject.
void ConnectReportButtons(FrmkLID *window);
