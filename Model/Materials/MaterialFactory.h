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
    // file that exists but does not load is first moved aside). A file that
    // loads but lacks one of the built-in materials gets it back from the
    // table, with a warning in the log; the file itself is not rewritten.
    void loadOrInstallDefaults();

    // Adds the entries of the file to the catalogue. False for a missing or
    // unopenable file, a root other than "Materials" or an XML error.
    bool loadMaterials();
    void loadDefaultMaterials();
    // Writes every material but those added for the session only. Replaces
    // the file only once the new one is completely written.
    bool saveMaterials();

    // The entry, or the empty material for an unknown id.
    Material getMaterial(unsigned id) const { return entry(id); }
    std::vector<Material> getMaterials() const { return entries(); }
    // Refuses id 0; otherwise inserts or replaces the entry of that id, which
    // saveMaterials writes from then on.
    bool setMaterial(const Material &material) { return store(material); }
    // A material merged from a document: added under an unused id for this
    // session only, never written to "materials.xml" unless edited later
    // through setMaterial. False for id 0 or an id already in use.
    bool addSessionMaterial(const Material &material) { return storeForSession(material); }
    // An unused id drawn at random from 2000..32766; 0 when all are taken.
    unsigned generateMaterialId();

private:
    void completeBuiltInMaterials();
};

} // namespace Materials
} // namespace Model
