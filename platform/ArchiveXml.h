#pragma once
// The XML parts of a zip archive (.xlsx and .ods workbooks), streamed through expat with their
// namespaces: no part is held whole, and one too large to be a worksheet is refused.
#include <memory>
#include <string>
#include <string_view>

namespace vuv {

// An element or attribute name: its namespace (empty when it has none) and its local name.
struct NomXml {
    std::string_view espace, local;
    bool est(std::string_view l) const { return local == l; }
};

class LecteurXml {
public:
    virtual ~LecteurXml() = default;
    // attributs: expat's null-terminated list of name, value pairs; read them with attribut().
    virtual void debut(NomXml nom, const char** attributs) = 0;
    virtual void fin(NomXml nom) = 0;
    virtual void texte(std::string_view t) = 0;
    // Set to stop reading the part once what is wanted has been read.
    bool arrete = false;
    // The value of the attribute of that local name (in a namespace containing `espace` when
    // given), or null.
    static const char* attribut(const char** attributs, std::string_view local, std::string_view espace = {});
};

class ArchiveXml {
public:
    ~ArchiveXml();
    ArchiveXml(const ArchiveXml&) = delete;
    ArchiveXml& operator=(const ArchiveXml&) = delete;

    // Null when the file is not a zip archive.
    static std::unique_ptr<ArchiveXml> ouvre(const std::string& chemin);
    bool contient(const std::string& partie) const;
    // Empty when the part was read whole as well-formed XML (or stopped by the reader), else
    // why not, in French.
    std::string lit(const std::string& partie, LecteurXml& lecteur);

    static constexpr std::size_t taille_max = std::size_t{1} << 30;

private:
    explicit ArchiveXml(void* zip) : zip_(zip) {}
    void* zip_;
};

} // namespace vuv
