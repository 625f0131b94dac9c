#pragma once

#include <QFrame>
#include <QImage>
#include <QVariant>

namespace tavisko {

struct DataSource;

// A picture box bound to a blob field of a table dataset's current record: shows the
// picture at its own size, centred in the frame and cut off at its edges, never
// scaled. The blob is read from the server when the box is shown or the current
// record moves while it is shown, never on the dataset's refreshes of unchanged
// records. Borrows the data source.
class DbImage : public QFrame {
    Q_OBJECT
public:
    DbImage(const DataSource &source, const QString &fieldName, QWidget *parent = nullptr);

    // The picture shown now (null when the record has none or it is not an image).
    const QImage &image() const;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void load();
    void currentMaybeMoved();

    const DataSource &m_source;
    QString m_fieldName;
    QImage m_image;
    QVariant m_loadedKey;
    bool m_loaded = false;
};

} // namespace tavisko
