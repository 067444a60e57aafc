#pragma once

#include "Util/Vector3D.h"

#include <QMetaType>
#include <QString>
#include <QVariant>

#include <map>
#include <vector>

namespace Ui {

// A mask reduced to one on/off flag per pixel, as process lists keep it.
using MaskVector = std::vector<bool>;

// One step of a process list: the process type and every parameter with its
// value and whether the list shows it.
class ProcessData
{
public:
    // The batch process types.
    enum Type {
        Photolithography = 0,
        SiWetEtching = 1,
        MooreDeposition = 2,
        MooreEtching = 3,
        Cvd = 4,
        IsotropicEtching = 5,
        Planarization = 6,
        Electroplating = 7,
        Doping = 8,
        SpinCoating = 9,
        SaveImage = 10,
        CreateSubstrate = 11,
        Pvd = 12,
        SimpleRie = 13,
        IonImplantation = 14,
        SiOxidation = 15,
        Unknown = 16,
    };

    // A new entry takes the next id of one process-wide counter.
    explicit ProcessData(int type = Unknown);

    int id() const { return m_id; }
    int type() const { return m_type; }

    void setParameter(const QString &name, const QVariant &value, bool visible = true);
    // An invalid value when absent.
    QVariant parameter(const QString &name) const;
    bool hasParameter(const QString &name) const { return m_parameters.count(name) != 0; }
    void removeParameter(const QString &name);
    // Absent names count as visible.
    bool isVisible(const QString &name) const;

    const std::map<QString, QVariant> &parameters() const { return m_parameters; }
    const std::map<QString, bool> &visibility() const { return m_visibility; }

    // The name the list shows for a type ("Unknown process" for others).
    static QString shownName(int type);

private:
    int m_id;
    int m_type;
    std::map<QString, QVariant> m_parameters;
    std::map<QString, bool> m_visibility;
};

} // namespace Ui

Q_DECLARE_METATYPE(Util::Vector3D)
Q_DECLARE_METATYPE(Ui::MaskVector)
