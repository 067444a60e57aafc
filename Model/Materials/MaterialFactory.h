#pragma once

#include "Model/Materials/Material.h"
#include "Model/Persistence/Catalogue.h"

#include <QString>

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Model {
namespace Materials {

// The material catalogue: every material a cell can be made of, by id, in
// ascending id order, kept in "materials.xml". One instance serves the whole
// program and any thread.
class MaterialFactory : public Persistence::Catalogue<Material>
{
public:
    // The program's catalogue, created on first use from "materials.xml" in
    // "$HOME/Tessival" (or the built-in table when that does not load).
    static boost::shared_ptr<MaterialFactory> getInstance();

    // A catalogue kept in `folder`; starts empty.
    explicit MaterialFactory(const QString &folder);

    // Start-up: load the file, or install and write the built-in table (a
    // file that exists but does not load is first moved aside).
    void loadOrInstallDefaults();

    // Adds the entries of the file to the catalogue. False for a missing or
    // unopenable file, a root other than "Materials" or an XML error.
    bool loadMaterials();
    void loadDefaultMaterials();
    // Replaces the file only once the new one is completely written.
    bool saveMaterials();

    // The entry, or the empty material for an unknown id.
    Material getMaterial(unsigned id) const { return entry(id); }
    std::vector<Material> getMaterials() const { return entries(); }
    // Refuses id 0; otherwise inserts or replaces the entry of that id.
    bool setMaterial(const Material &material) { return store(material); }
    // An unused id drawn at random from 2000..32766; 0 when all are taken.
    unsigned generateMaterialId();
};

} // namespace Materials
} // namespace Model
