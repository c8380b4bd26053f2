#include "frontend/shell/printing.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/shell/filefault.h"
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
  if (!(choose ? choose(printer, parent) : DialogChooser(printer, parent))) return false;
  // A file to print to is held to the rule of every save: a new name or a regular file.
  if (const QString file = printer.outputFileName(); !file.isEmpty()) {
    try {
      model::CheckSaveTarget(ToLocal(file));
    } catch (const model::FileError& error) {
      ReportFileFault(error);
      return false;
    }
  }
  return true;
}

}  // namespace kalvano::shell
