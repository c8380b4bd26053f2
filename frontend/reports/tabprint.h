// Printing of the page shown in the tabular viewer: the text in a fixed-pitch font, a
// form-feed line starting a new sheet and a full sheet going on to the next, no line wrapped
// or cut. The printer is chosen through a seam: the print dialog in the program, a PDF file
// without a dialog in tests.
#pragma once

#include <string>
#include <vector>

#include "frontend/shell/printing.h"

class QPrinter;
class QWidget;

namespace kalvano::reports {

// The sheets of a page text: its lines (without line ends) cut at every line that begins with
// a form feed (what follows the form feed, when not blank, is the new sheet's first line);
// sheets that hold no line are left out.
std::vector<std::vector<std::string>> FormFeedSheets(const std::string& bytes);

// Prints the text on a printer that is set up: the fixed-pitch font at 7 pt, the margins narrowed and then the font scaled down until the
// longest line fits the printable width. Returns the number of sheets printed.
int PrintPageText(QPrinter& printer, const std::string& bytes);

// The print dialog's seam, shared with the other windows that print.
using shell::PrinterChooser;
using shell::SetPrinterChooser;

// Asks for the printer and prints the text; every error is ignored, a cancel prints
// nothing. Where no printer is set up the dialog proposes the PDF file `pdfPath`. Returns
// the sheets printed.
int PrintWithDialog(const std::string& bytes, const std::string& pdfPath, QWidget* parent);

}  // namespace kalvano::reports
