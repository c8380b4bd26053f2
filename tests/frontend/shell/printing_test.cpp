// Choosing the printer through the real print dialog. The dialog tries the output file it is
// given before it accepts (it opens the file for appending), and such an open waits until
// something reads a named pipe. A name that is no file is refused, naming it, before the dialog
// opens anything; the dialog stays open for another name, and nothing waits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <string>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "frontend/model/helpers.h"
#include "frontend/shell/printing.h"
#include "shell_test_support.h"
#include "tests/pipe_watchdog.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;

// What happened in the print dialog that ChoosePrinter showed, when the test typed a file name
// and pressed Print.
struct DialogRun {
  bool shown = false;        // the dialog came up and took the name
  bool stayedOpen = false;   // it was still open after Print (and was then cancelled)
  QString qtBox;             // the text of a box of the dialog's own, answered No
  bool chosen = false;       // ChoosePrinter's answer
};

// Shows the print dialog through ChoosePrinter, chooses "Print to File (PDF)" with `file` as
// its output file and presses Print; a dialog still open afterwards is cancelled.
DialogRun PrintThroughTheDialog(QPrinter& printer, const std::string& pdfPath, const std::string& file) {
  DialogRun run;
  bool pressed = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      run.qtBox = box->text();
      box->done(QMessageBox::No);
      return;
    }
    auto* dialog = qobject_cast<QPrintDialog*>(modal);
    if (dialog == nullptr) return;
    if (pressed) {
      run.stayedOpen = true;
      dialog->reject();
      return;
    }
    auto* printers = dialog->findChild<QComboBox*>("printers");
    auto* name = dialog->findChild<QLineEdit*>("filename");
    const auto boxes = dialog->findChildren<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
    if (printers == nullptr || name == nullptr || boxes.size() != 1) {
      dialog->reject();
      return;
    }
    printers->setCurrentIndex(printers->count() - 1);  // Print to File (PDF)
    name->setText(QString::fromStdString(file));
    run.shown = name->isEnabled();
    pressed = true;
    // Pressed once this poll has returned, so that the polls go on while Print works.
    QMetaObject::invokeMethod(boxes.front()->button(QDialogButtonBox::Ok), &QPushButton::click, Qt::QueuedConnection);
  });
  poll.start(20);
  run.chosen = ChoosePrinter(printer, pdfPath, nullptr);
  return run;
}

class PrintDialogTest : public test::ShellTest {};

TEST_F(PrintDialogTest, a_name_that_is_no_file_is_refused_before_the_dialog_opens_it) {
  fs::create_directories(base.path("scratch"));
  const std::string pipe = base.path("printed.pdf").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  fs::create_symlink("/dev/null", base.path("scratch/null"));
  fs::create_symlink(base.path("scratch/null"), base.path("device.pdf"));
  fs::create_symlink("loop.pdf", base.path("loop.pdf"));
  const std::string socketPath = base.path("socket.pdf").string();
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  ASSERT_LT(socketPath.size(), sizeof addr.sun_path);
  socketPath.copy(addr.sun_path, socketPath.size());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  const std::string pdfPath = base.path("temp/tabular.pdf").string();

  struct Case {
    const char* what;
    std::string file;
    std::string message;  // empty: taken
  };
  const Case cases[] = {
      {"a named pipe", pipe, "This name is a named pipe, not a file.  Choose another name."},
      {"a link to a device", base.path("device.pdf").string(), "This name is a device, not a file.  Choose another name."},
      {"a socket", socketPath, "This name is a socket, not a file.  Choose another name."},
      {"a loop of links", base.path("loop.pdf").string(), std::string(model::kLinkLoopMessage)},
      {"a new file", base.path("new.pdf").string(), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.asked.clear();
    QPrinter printer;
    DialogRun run;
    {
      kalvano::test::PipeWatchdog watchdog({pipe}, std::chrono::seconds(5));
      run = PrintThroughTheDialog(printer, pdfPath, c.file);
      EXPECT_FALSE(watchdog.Fired()) << "the print dialog waited on the pipe";
    }
    ASSERT_TRUE(run.shown) << "the dialog's output file was not found";
    EXPECT_TRUE(run.qtBox.isEmpty()) << run.qtBox.toStdString();
    if (c.message.empty()) {
      EXPECT_TRUE(run.chosen);
      EXPECT_FALSE(run.stayedOpen);
      EXPECT_TRUE(boxes.asked.empty());
      EXPECT_EQ(printer.outputFileName().toStdString(), c.file);
      EXPECT_FALSE(fs::exists(c.file)) << "the dialog's trial file was left";
      continue;
    }
    EXPECT_FALSE(run.chosen);
    EXPECT_TRUE(run.stayedOpen) << "the dialog did not stay open for another name";
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, c.message + "\n\n" + c.file);
    EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrPathFileAccess));
  }
  EXPECT_EQ(fs::symlink_status(pipe).type(), fs::file_type::fifo);
  ::close(sock);
}

}  // namespace
}  // namespace kalvano::shell
