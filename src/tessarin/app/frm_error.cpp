#include "app/frm_error.h"

#include "app/contact.h"

namespace tessarin {

FrmError::FrmError(platform::Toolkit& toolkit)
    : form_(toolkit.createForm({platform::FormStyle::Dialog, u"Unexpected System Error", 0x00F0F0F0, false})) {
  const platform::FontSpec font{u"Lucida Sans Unicode", 9, false};
  form_->setBounds({0, 0, 7200, 4800});
  // The system's error icon left of the message, as its message boxes show errors.
  picIcon = &form_->addIcon(platform::IconKind::Error);
  picIcon->setBounds({240, 180, 480, 480});
  Label1 = &form_->addLabel(u"An unexpected error has been detected in Tessarin.", font);
  Label1->setBounds({960, 180, 5880, 300});
  Label2 = &form_->addLabel(std::u16string(u"In order to improve this tool, the developer would appreciate if you "
                                           u"email the message below to ") +
                                contact::kSupportEmail + u".",
                            font);
  Label2->setBounds({960, 540, 5880, 600});
  txtError = &form_->addTextBox({font, true, true});
  txtError->setBounds({240, 1200, 6600, 1800});
  Label3 = &form_->addLabel(u"Thank you for your assistance and support.", font);
  Label3->setBounds({240, 3120, 6600, 300});
  cmdClose = &form_->addButton(font);
  cmdClose->setCaption(u"Close");
  cmdClose->setBounds({5640, 3600, 1200, 375});

  form_->onLoad = [this] { txtError->setText(ErrorString); };
  cmdClose->onClick = [this] { form_->unload(); };
}

}  // namespace tessarin
