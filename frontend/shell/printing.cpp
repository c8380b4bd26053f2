#include "frontend/shell/printing.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
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

// The rule of every save for a file to print to: a new name or a regular file. The program's
// own proposal, a fixed name in its run folder, is no link either. Reported and false when the
// file is refused.
bool PrintFileTaken(const std::string& file, const std::string& pdfPath) {
  try {
    model::CheckSaveTarget(file, file == pdfPath ? model::NameKind::Fixed : model::NameKind::Chosen);
  } catch (const model::FileError& error) {
    ReportFileFault(error);
    return false;
  }
  return true;
}

// The print dialog tries the output file it is given before it accepts: it opens the file for
// appending, and on a named pipe that open waits until something reads the pipe. The dialog's
// Print therefore checks the name first: a name that is no file (a named pipe, a device, a
// socket, a loop of links) is refused, naming it, and the dialog stays open for another name;
// only a name that passes goes on to the dialog's own checks.
void CheckFileBeforeTheDialog(QPrintDialog& dialog, const std::string& pdfPath) {
  auto* fileBox = dialog.findChild<QLineEdit*>("filename");
  const auto boxes = dialog.findChildren<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
  if (fileBox == nullptr || boxes.size() != 1) return;
  QDialogButtonBox* buttons = boxes.front();
  QObject::disconnect(buttons, &QDialogButtonBox::accepted, &dialog, nullptr);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, fileBox, pdfPath] {
    const QString typed = fileBox->text();
    if (fileBox->isEnabled() && !typed.isEmpty()) {
      // The dialog tries the name as typed (from the current folder) and prints to it from
      // the home folder when it is relative: both are held to the rule.
      if (!PrintFileTaken(ToLocal(typed), pdfPath)) return;
      if (QDir::isRelativePath(typed) &&
          !PrintFileTaken(ToLocal(QDir::homePath() + QDir::separator() + typed), pdfPath)) {
        return;
      }
    }
    if (!QMetaObject::invokeMethod(&dialog, "_q_checkFields")) dialog.accept();
  });
}

bool DialogChooser(QPrinter& printer, QWidget* parent, const std::string& pdfPath) {
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, 1);
  dialog.setFromTo(1, 1);
  CheckFileBeforeTheDialog(dialog, pdfPath);
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
  if (!(choose ? choose(printer, parent) : DialogChooser(printer, parent, pdfPath))) return false;
  // The file chosen, once more: it may have changed hands while the dialog was open.
  const QString file = printer.outputFileName();
  return file.isEmpty() || PrintFileTaken(ToLocal(file), pdfPath);
}

}  // namespace kalvano::shell
