#include "contact_log/contact_form.h"

#include "contact_line/contact_line.h"

ContactForm::ContactForm()
{
    Text1.setMultiLine(true);
    stationLog.setMultiLine(true);
    Combo1.setText(noBandText.toString());
    Frame1.setCaption(QStringLiteral("001"));
}
