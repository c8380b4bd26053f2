#include "frontend/shell/printing.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "frontend/shell/widgets.h"

#include <utility>

namespace kalvano::shell {

namespace {

PrinterChooser& Chooser() {
  static PrinterChooser choose;
  return choose;
}

bool DialogChooser(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, 1);
  dialog.setFromTo(1, 1);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

void SetPrinterChooser(PrinterChooser choose) { Chooser() = std::move(choose); }

bool ChoosePrinter(QPrinter& printer, const std::string& pdfPath, QWidget* parent) {
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(FromLocal(pdfPath));
  }
  const PrinterChooser& choose = Chooser();
  return choose ? choose(printer, parent) : DialogChooser(printer, parent);
}

}  // namespace kalvano::shell
