#pragma once

#include <QWidget>

#include <string>
#include <vector>

class ElementControl;
class QGridLayout;
class QLabel;

/// One velocity offset γ per instrument of the data, each a spin box and a
/// slider like the lab's elements: every instrument measures velocities
/// from a zero point of its own, which the student must find with the orbit.
///
/// Object names "offset<k>Spin" and "offset<k>Slider", k = 1, 2 … in the
/// data's instrument order.
class OffsetControls : public QWidget
{
    Q_OBJECT

public:
    explicit OffsetControls(QWidget *parent = nullptr);

    /// New instruments: one control each, starting at `offsets` (m/s), its
    /// slider over the offset ± `reaches` (m/s, > 0).
    void setInstruments(const std::vector<std::string> &names, const std::vector<double> &offsets,
                        const std::vector<double> &reaches);
    /// γ of each instrument, m/s, in the data's order.
    std::vector<double> offsets() const;

signals:
    void offsetsEdited();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QGridLayout *m_grid;
    std::vector<ElementControl *> m_controls;
    std::vector<QLabel *> m_captions;
    std::vector<QString> m_names;
};
