// EAP user data as the Native Wi-Fi service takes it (WlanSetProfileEapXmlUserData).
#pragma once

#include <string>

namespace wavorel::sim {

// True for a well-formed document whose root is EapHostUserCredentials of its
// schema, holding EapMethod and Credentials. Read with libxml2 in
// libwavxml.so (WlanProfileLoader.cpp loads it on first use).
bool wellFormedEapUserData(const std::string& xml);

}  // namespace wavorel::sim
