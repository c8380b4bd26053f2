// Choosing the printer for a print job: the print dialog, which proposes a PDF file where no
// printer is set up. The windows that print go through this, so that a test can choose for
// the user.
#pragma once

#include <functional>
#include <string>

class QPrinter;
class QWidget;

namespace kalvano::shell {

// Sets up the printer for one print job (page range 1 to 1); false when the user cancelled.
using PrinterChooser = std::function<bool(QPrinter& printer, QWidget* parent)>;
// Replaces the print dialog; an empty function restores it.
void SetPrinterChooser(PrinterChooser choose);

// Asks for the printer of one print job. Where no printer is set up the printer starts as
// the PDF file `pdfPath`. False when the user cancelled, or when the file chosen to print to
// may not be written (a named pipe, a device or a socket in its place, a loop of links, a
// folder, or a file the user may not write; at `pdfPath`, the program's own name, a link
// too): that is reported through the file-error box naming it, and nothing is printed. The
// print dialog's Print refuses such a name the same way before the dialog opens the file,
// and stays open for another; nothing ever waits on a named pipe.
bool ChoosePrinter(QPrinter& printer, const std::string& pdfPath, QWidget* parent);

}  // namespace kalvano::shell
