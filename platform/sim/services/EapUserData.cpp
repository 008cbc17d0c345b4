#include "platform/sim/services/EapUserData.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>

namespace wavorel::sim {

// Built into libwavxml.so; the platform library's own wellFormedEapUserData
// (WlanProfileLoader.cpp) hands the document to this one.
bool wellFormedEapUserData(const std::string& xml) {
  struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
  };
  std::unique_ptr<xmlDoc, DocFree> doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "userdata.xml", "UTF-8",
                                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc) return false;
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  auto is = [](const xmlNode* n, const char* name) {
    return n && n->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(n->name), name) == 0;
  };
  if (!is(root, "EapHostUserCredentials") || !root->ns || !root->ns->href ||
      std::strcmp(reinterpret_cast<const char*>(root->ns->href),
                  "http://www.microsoft.com/provisioning/EapHostUserCredentials") != 0)
    return false;
  bool method = false, credentials = false;
  for (const xmlNode* c = root->children; c; c = c->next) {
    method = method || is(c, "EapMethod");
    credentials = credentials || is(c, "Credentials");
  }
  return method && credentials;
}

}  // namespace wavorel::sim
