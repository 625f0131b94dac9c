#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace tavisko {

class DbGrid;
class TDm1;

// The article search of the terminal: the employee searches the data module's
// TArtikelen (the grid follows its current record), adds articles with a quantity to
// a list of booked lines, and closes with OK or cancel. Created per use; on Accepted
// the caller reads bookingText() and stores it. The window writes nothing to the
// database and leaves TArtikelen where the user left it. Borrows the data module.
// Sizes in pixels.
class TZkPartsForm : public QDialog {
    Q_OBJECT
public:
    TZkPartsForm(TDm1 &dm, QWidget *parent = nullptr);

    // The booked list as the text stored in the employee's Artikelnummer; read it
    // after exec() returned Accepted.
    QString bookingText() const;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void EditZoekChange();
    void EditZoekKeyDown(int key);
    void SpeedButton2Click();
    void SpeedButton1Click();
    void BitBtnOKClick();
    void FormActivate();
    // What the arrows of UpDown1 do: the number shown in EditAantal by `delta`.
    void stepQuantity(int delta);

    TDm1 &m_dm;
    QLineEdit *EditZoek;
    QLineEdit *EditAantal;
    QWidget *UpDown1;
    QToolButton *SpeedButton2;
    QToolButton *SpeedButton1;
    QPushButton *BitBtn1;
    QPushButton *BitBtnOK;
    QPlainTextEdit *memo1;
    DbGrid *DBGrid3;
    // The arrows' number when EditAantal shows none (as the arrows of the platform
    // do: they remember where they stood).
    int m_quantity = 1;
};

} // namespace tavisko
