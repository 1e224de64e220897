#include "bench_window.h"

#include "log_file.h"
#include "operator_messages.h"

#include <QApplication>

BenchWindow::BenchWindow(const WindowServices &services) : form(services), view(form)
{
    form.Form_Load();
    view.show();
    drawNow(view);
}

void drawNow(QWidget &widget)
{
    QApplication::processEvents();
    widget.repaint();
}

void saveLogText(BenchServices &services, const QString &logText)
{
    ContactForm form;
    form.Text1.setText(logText);
    showSaveResult(services.messages, SaveLog(form, {services.directory, services.files}));
}
