#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavisko {

class DbImage;
class TDm1;

// The on-screen keyboard of the touch terminal: a general modal entry window that
// checks nothing and writes nothing. The caller creates it per use, configures it
// (prompt, subject, masking, photo), runs exec() and on Accepted reads text()
// unchanged. Tapped keys always append at the end of the entry; a physical keyboard
// or a barcode scanner types into the entry field, and its Enter confirms. The photo
// is the Foto of the current employee in the data module's TUsers, which the window
// only shows. Borrows the data module. Sizes in pixels.
class TFrmKeyboard : public QDialog {
    Q_OBJECT
public:
    TFrmKeyboard(TDm1 &dm, QWidget *parent = nullptr);

    void setPrompt(const QString &text);
    void setSubject(const QString &text);
    // Shows every character as "*"; the text itself is never changed.
    void setMasked(bool masked);
    void setPhotoVisible(bool visible);

    QString text() const;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // What every key does: its characters go to the end of the entry, wherever the
    // caret stands.
    void keyClick(const QString &characters);
    void BitBtn2Click();

    QLabel *LblPaswoord;
    QLabel *LblUser;
    DbImage *DbFoto;
    QPushButton *BitBtn1;
    QLineEdit *Edit1;
    QPushButton *BitBtn2;
};

} // namespace tavisko
