#pragma once
// The attributes of an element as its XML text gives them: reading one element's serialized
// text with a single call is much cheaper than walking its attribute nodes one COM call each.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class StartTagAttributes {
  public:
    // Reads the attribute values of the start tag at the beginning of xml (an element as an XML
    // serializer writes it; what follows the tag is not looked at), references resolved, literal
    // characters kept as written. False, and no attributes, when the text does not begin with a
    // well-formed start tag or holds what only the document can resolve: an entity of the
    // document's own or a namespace declaration.
    bool Parse(std::string_view xml);

    std::size_t Count() const { return ends_.size(); }
    std::string_view Text(std::size_t position) const;

  private:
    bool ParseValue(std::string_view xml, std::size_t& at, char quote);
    bool AppendReference(std::string_view reference);

    std::string texts_;              // every value, one after another
    std::vector<std::size_t> ends_;  // end of each value in texts_
};

}  // namespace orv
