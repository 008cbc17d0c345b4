#include "worker/BssInfoElements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/worker/BssRecordBuilder.h"
#include "worker/ModuleFunctions.h"

namespace worker::testing {
namespace {

Bytes Suite(BYTE a, BYTE b, BYTE c, BYTE type) { return {a, b, c, type}; }
Bytes Rsn(BYTE type) { return Suite(0x00, 0x0F, 0xAC, type); }
Bytes Ms(BYTE type) { return Suite(0x00, 0x50, 0xF2, type); }
Bytes Ccx(BYTE type) { return Suite(0x00, 0x40, 0x96, type); }
Bytes U16(WORD v) { return {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8)}; }

// RSN element: version 1, group, pairwise list, AKM list, capabilities.
Bytes RsnElement(const Bytes& group, std::vector<Bytes> pairwise, std::vector<Bytes> akms) {
  Bytes c = Concat({U16(1), group, U16(static_cast<WORD>(pairwise.size()))});
  for (const Bytes& s : pairwise) c = Concat({c, s});
  c = Concat({c, U16(static_cast<WORD>(akms.size()))});
  for (const Bytes& s : akms) c = Concat({c, s});
  return Element(48, Concat({c, U16(0)}));
}

// WPA vendor element: 00-50-F2-01, version 1, group, pairwise, AKM.
Bytes WpaElement(const Bytes& group, std::vector<Bytes> pairwise, std::vector<Bytes> akms) {
  Bytes c = Concat({Ms(1), U16(1), group, U16(static_cast<WORD>(pairwise.size()))});
  for (const Bytes& s : pairwise) c = Concat({c, s});
  c = Concat({c, U16(static_cast<WORD>(akms.size()))});
  for (const Bytes& s : akms) c = Concat({c, s});
  return Element(221, c);
}

Bytes Attribute(WORD type, const Bytes& value) {
  Bytes a{static_cast<BYTE>(type >> 8), static_cast<BYTE>(type), static_cast<BYTE>(value.size() >> 8),
          static_cast<BYTE>(value.size())};
  a.insert(a.end(), value.begin(), value.end());
  return a;
}

Bytes WpsElement(std::initializer_list<Bytes> attributes) {
  Bytes c = Ms(4);
  for (const Bytes& a : attributes) c = Concat({c, a});
  return Element(221, c);
}

std::string Parse(const Bytes& record, int selector) {
  return static_cast<LPCSTR>(ParseBssInfoElements(record.data(), static_cast<DWORD>(record.size()), selector));
}

std::string ParseElements(const Bytes& elements, int selector, DWORD infrastructure = 1) {
  BssRecordFields fields;
  fields.elements = elements;
  fields.infrastructure = infrastructure;
  return Parse(BssRecord(fields), selector);
}

std::vector<std::string> Fields(const std::string& text) {
  CStringArray parts;
  SplitString(text.c_str(), ";", parts);
  std::vector<std::string> out;
  for (int i = 0; i < parts.GetSize(); ++i) out.emplace_back(static_cast<LPCSTR>(parts[i]));
  return out;
}

struct SecurityCase {
  const char* what;
  Bytes elements;
  DWORD infrastructure;
  const char* security;
};

TEST(BssInfoElementsTest, SecurityTextFromTheRsnAndWpaElements) {
  const Bytes psk = Rsn(2);
  const SecurityCase cases[] = {
      {"RSN TKIP+CCMP with PSK", RsnElement(Rsn(2), {Rsn(2), Rsn(4)}, {psk}), 1, "WPA2-PSK;TKIP+AES"},
      {"the same in an ad hoc BSS", RsnElement(Rsn(2), {Rsn(2), Rsn(4)}, {psk}), 0, "WPA2-NONE;TKIP+AES"},
      {"an RSN element with PSK and a WPA element with 802.1X",
       Concat({RsnElement(Rsn(4), {Rsn(4)}, {psk}), WpaElement(Ms(2), {Ms(2)}, {Ms(1)})}), 1, "WPA+WPA2-PSK;TKIP+AES"},
      {"WRAP only shows AES", RsnElement(Rsn(3), {Rsn(3)}, {Rsn(1)}), 1, "WPA2;AES"},
      {"a second AKM suite sets PSK as a first would", RsnElement(Rsn(4), {Rsn(4)}, {Ccx(1), psk}), 1,
       "WPA2-PSK;AES"},
      {"WPA-PSK ad hoc is WPA-NONE", WpaElement(Ms(2), {Ms(2)}, {Ms(2)}), 0, "WPA-NONE;TKIP"},
      {"the 00-00-42 AKM counts as WPA's", WpaElement(Ms(4), {Ms(4)}, {Suite(0x00, 0x00, 0x42, 1)}), 1, "WPA;AES"},
      {"pairwise walk ends at a foreign suite, AKMs still read",
       RsnElement(Rsn(2), {Suite(0x00, 0x11, 0x22, 4), Rsn(4)}, {psk}), 1, "WPA2-PSK;TKIP"},
      {"no WPA or RSN element", Element(0, {'N', 'e', 't'}), 1, "Unknown;None"},
      {"an RSN element of 11 bytes is too short", Element(48, Bytes(11, 0)), 1, "Unknown;None"},
      {"a group suite of another OUI voids the RSN element", RsnElement(Ms(4), {Rsn(4)}, {psk}), 1, "Unknown;None"},
      {"a zero-length element does not hide the RSN element behind it",
       Concat({Element(7, {}), RsnElement(Rsn(4), {Rsn(4)}, {psk})}), 1, "WPA2-PSK;AES"},
  };
  for (const SecurityCase& c : cases)
    EXPECT_EQ(ParseElements(c.elements, kBssTextSecurity, c.infrastructure), c.security) << c.what;
}

TEST(BssInfoElementsTest, SuiteCountsPastTheElementStopTheWalkKeepingWhatWasGathered) {
  // Group CCMP, then five pairwise suites announced and only one present.
  Bytes content = Concat({U16(1), Rsn(4), U16(5), Rsn(2)});
  EXPECT_EQ(ParseElements(Element(48, content), kBssTextSecurity), "Unknown;TKIP+AES");
  // An AKM count past the element: the suites that are there count.
  content = Concat({U16(1), Rsn(4), U16(1), Rsn(4), U16(9), Rsn(2)});
  EXPECT_EQ(ParseElements(Element(48, content), kBssTextSecurity), "WPA2-PSK;AES");
  // An element running past the element area ends the walk; what came first stays.
  Bytes elements = Concat({WpaElement(Ms(2), {Ms(2)}, {Ms(2)}), Bytes{48, 40, 1, 0}});
  EXPECT_EQ(ParseElements(elements, kBssTextSecurity), "WPA-PSK;TKIP");
}

TEST(BssInfoElementsTest, VendorSuitesGiveCckmAndTheTwoVendorFlags) {
  EXPECT_EQ(ParseElements({}, kBssTextVendor), "FALSE;FALSE;FALSE");
  // CCX group cipher type 1: flags A and B; a CCX AKM: CCKM.
  EXPECT_EQ(ParseElements(WpaElement(Ccx(1), {Ms(2)}, {Ccx(0)}), kBssTextVendor), "TRUE;TRUE;TRUE");
  // Type 2: flag B only; a CCX pairwise suite of type 0 adds flag A.
  EXPECT_EQ(ParseElements(WpaElement(Ccx(2), {Ms(2)}, {}), kBssTextVendor), "FALSE;TRUE;FALSE");
  EXPECT_EQ(ParseElements(WpaElement(Ccx(2), {Ccx(0)}, {}), kBssTextVendor), "FALSE;TRUE;TRUE");
  // The element under the CCX OUI itself takes the WPA form whatever its type.
  Bytes ccxElement = Concat({Ccx(7), U16(1), Ms(2), U16(1), Ms(2), U16(1), Ms(2)});
  EXPECT_EQ(ParseElements(Element(221, ccxElement), kBssTextSecurity), "WPA-PSK;TKIP");
}

TEST(BssInfoElementsTest, WpsElementWithEveryAttribute) {
  const Bytes uuid = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
  const Bytes wps = WpsElement({Attribute(0x104A, {0x10}), Attribute(0x1044, {2}), Attribute(0x1057, {0}),
                                Attribute(0x1041, {1}), Attribute(0x101A, {0xAB, 0xCD}),
                                Attribute(0x1012, {0x00, 0x04}), Attribute(0x1008, {0x01, 0x88}),
                                Attribute(0x1053, {0x00, 0x80}), Attribute(0x1047, uuid), Attribute(0x103C, {3}),
                                Attribute(0x1099, {1, 2, 3})});
  EXPECT_EQ(ParseElements(wps, kBssTextWps),
            "0x0080;0x0004;TRUEABCD;Configured;1.0;FALSE;00112233445566778899AABBCCDDEEFF;2.4GHz + 5GHz;TRUE");

  const std::vector<std::string> fields = Fields(ParseElements(
      WpsElement({Attribute(0x1044, {1}), Attribute(0x103C, {2}), Attribute(0x104A, {0x21})}), kBssTextWps));
  ASSERT_EQ(fields.size(), static_cast<size_t>(kWpsTextFields));
  EXPECT_EQ(fields[0], "Unknown");
  EXPECT_EQ(fields[3], "Unconfigured");
  EXPECT_EQ(fields[4], "2.1");
  EXPECT_EQ(fields[7], "5GHz");
  EXPECT_EQ(fields[8], "TRUE");

  // Other state and band values leave their fields.
  EXPECT_EQ(ParseElements(WpsElement({Attribute(0x1044, {7}), Attribute(0x103C, {4})}), kBssTextWps),
            "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;TRUE");
  EXPECT_EQ(ParseElements({}, kBssTextWps), "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;FALSE");
}

TEST(BssInfoElementsTest, AnAttributePastItsElementEndsTheWpsWalk) {
  Bytes wps = WpsElement({Attribute(0x1044, {2}), Attribute(0x1012, {0x00, 0x05})});
  wps[wps.size() - 3] = 9;  // the password id claims 9 bytes, 2 are there
  const std::vector<std::string> fields = Fields(ParseElements(wps, kBssTextWps));
  ASSERT_EQ(fields.size(), static_cast<size_t>(kWpsTextFields));
  EXPECT_EQ(fields[1], "Unknown");
  EXPECT_EQ(fields[3], "Configured") << "gathered before the broken attribute";
  EXPECT_EQ(fields[8], "TRUE");
}

Bytes HtCapabilities(WORD caps, BYTE ampdu, BYTE txMcs, WORD extended) {
  Bytes c(26, 0);
  c[0] = static_cast<BYTE>(caps);
  c[1] = static_cast<BYTE>(caps >> 8);
  c[2] = ampdu;
  c[15] = txMcs;
  c[19] = static_cast<BYTE>(extended);
  c[20] = static_cast<BYTE>(extended >> 8);
  return Element(45, c);
}

Bytes HtInformation(BYTE primary, BYTE info, WORD operation, WORD operation2, DWORD mcs0, DWORD mcs3) {
  Bytes c(22, 0);
  c[0] = primary;
  c[1] = info;
  wavorel::wire::putU16(c.data() + 2, operation);
  wavorel::wire::putU16(c.data() + 4, operation2);
  wavorel::wire::putU32(c.data() + 6, mcs0);
  wavorel::wire::putU32(c.data() + 18, mcs3);
  return Element(61, c);
}

TEST(BssInfoElementsTest, HtFieldsInThePagesOrder) {
  Bytes neighbor(13, 0);
  wavorel::wire::putU32(neighbor.data() + 6, 1u << 12);  // high throughput, no mobility domain
  const Bytes elements =
      Concat({Element(62, {3, 0, 0}), Element(127, {0x01}), Element(52, neighbor),
              // LDPC, SM power save 3, short GI 40, Rx STBC 2, max A-MSDU, forty MHz intolerant
              HtCapabilities(0x0001 | 0x000C | 0x0040 | 0x0200 | 0x0800 | 0x4000, 0x17, 0x0D, 0x0C00),
              // secondary above, any width, PSMP STAs only, granularity 5; protection 2, OBSS;
              // dual CTS, PCO phase
              HtInformation(36, 0x01 | 0x04 | 0x10 | 0xA0, 0x0012, 0x0880, 0xFFFF, 0x80000001)});
  const std::vector<std::string> f = Fields(ParseElements(elements, kBssTextHt));
  ASSERT_EQ(f.size(), static_cast<size_t>(kHtTextFields));
  const std::vector<std::string> expected = {
      "3", "TRUE", "FALSE", "TRUE",                                     // 1-4
      "TRUE",                                                           // 5 HT capabilities
      "TRUE", "FALSE", "3", "FALSE", "FALSE", "TRUE", "FALSE", "2",     // 6-13
      "FALSE", "TRUE", "FALSE", "FALSE", "FALSE", "7935", "TRUE", "FALSE",  // 14-21
      "3", "5",                                                         // 22-23 A-MPDU
      "TRUE", "FALSE", "3", "FALSE",                                    // 24-27 Tx MCS
      "FALSE", "TRUE", "65535", "4000",                                 // 28-31
      "TRUE", "TRUE",                                                   // 32-33 +HTC, RD
      "36", "1", "TRUE", "FALSE", "TRUE", "5",                          // 34-39
      "2", "FALSE", "FALSE", "TRUE",                                    // 40-43
      "FALSE", "TRUE", "FALSE", "FALSE", "FALSE", "TRUE",               // 44-49
      "TRUE", "65535", "0", "0", "-2147483647",                         // 50-54
      "TRUE"};                                                          // 55
  ASSERT_EQ(expected.size(), f.size());
  for (size_t i = 0; i < f.size(); ++i) EXPECT_EQ(f[i], expected[i]) << "field " << i + 1;

  // Without HT elements every field keeps its default and the flag is FALSE.
  const std::vector<std::string> none = Fields(ParseElements({}, kBssTextHt));
  ASSERT_EQ(none.size(), static_cast<size_t>(kHtTextFields));
  EXPECT_EQ(none[4], "FALSE");
  EXPECT_EQ(none[18], "0");
  EXPECT_EQ(none[54], "FALSE");
  // The pre-standard vendor elements set the presence flags only.
  Bytes vendorCap = Concat({Suite(0x00, 0x90, 0x4C, 0x33), Bytes(26, 0xFF)});
  const std::vector<std::string> vendor = Fields(ParseElements(Element(221, vendorCap), kBssTextHt));
  EXPECT_EQ(vendor[4], "TRUE");
  EXPECT_EQ(vendor[5], "FALSE");
  EXPECT_EQ(vendor[54], "TRUE");
  // An HT capabilities element of another length is not one.
  EXPECT_EQ(Fields(ParseElements(Element(45, Bytes(25, 0xFF)), kBssTextHt))[54], "FALSE");
}

TEST(BssInfoElementsTest, BadRecordsGiveTheDefaults) {
  BssRecordFields fields;
  fields.elements = Concat({RsnElement(Rsn(4), {Rsn(4)}, {Rsn(2)}), WpsElement({Attribute(0x1044, {2})})});
  const Bytes good = BssRecord(fields);
  ASSERT_EQ(Parse(good, kBssTextSecurity), "WPA2-PSK;AES");

  const std::string defaults[] = {"Unknown;None", "FALSE;FALSE;FALSE",
                                  "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;FALSE"};
  auto expectDefaults = [&defaults](const Bytes& record, DWORD available, const char* what) {
    for (int selector = 0; selector < 3; ++selector)
      EXPECT_EQ(static_cast<LPCSTR>(ParseBssInfoElements(record.data(), available, selector)), defaults[selector])
          << what;
    EXPECT_EQ(Fields(static_cast<LPCSTR>(ParseBssInfoElements(record.data(), available, kBssTextHt))).size(),
              static_cast<size_t>(kHtTextFields))
        << what;
  };
  Bytes shortLength = good;
  wavorel::wire::putU32(shortLength.data(), 115);
  expectDefaults(shortLength, static_cast<DWORD>(good.size()), "Length below 116");
  expectDefaults(good, static_cast<DWORD>(good.size() - 1), "Length past the list");
  expectDefaults(good, 100, "less than a head left in the list");
  Bytes longIes = good;
  wavorel::wire::putU32(longIes.data() + wavorel::wire::ndis::bssid::kIeLength, static_cast<DWORD>(good.size()));
  expectDefaults(longIes, static_cast<DWORD>(good.size()), "IELength past Length");
  EXPECT_EQ(static_cast<LPCSTR>(ParseBssInfoElements(nullptr, 0, kBssTextSecurity)), defaults[0]);

  EXPECT_EQ(Parse(good, 5), "");
  EXPECT_EQ(Parse(good, -1), "");
}

TEST(BssInfoElementsTest, MarksAreWhatTheTextsSay) {
  BssRecordFields fields;
  fields.elements = Concat({RsnElement(Rsn(4), {Rsn(4)}, {Rsn(2)}), WpsElement({}), HtCapabilities(0, 0, 0, 0)});
  Bytes longIes = BssRecord(fields);
  wavorel::wire::putU32(longIes.data() + wavorel::wire::ndis::bssid::kIeLength, static_cast<DWORD>(longIes.size()));
  Bytes fakeWps = BssRecord(BssRecordFields{});
  const Bytes fake = {221, 4, 0x00, 0x50, 0xF2, 0x04};
  std::copy(fake.begin(), fake.end(), fakeWps.begin() + wavorel::wire::ndis::bssid::kIes);
  auto record = [](const Bytes& elements, DWORD infrastructure = 1) {
    BssRecordFields f;
    f.elements = elements;
    f.infrastructure = infrastructure;
    return BssRecord(f);
  };
  const Bytes vendorHtInfo = Element(221, Concat({Suite(0x00, 0x90, 0x4C, 0x34), Bytes(22, 0)}));
  struct Case {
    const char* what;
    Bytes record;
    bool secured, wps, ht;
  } cases[] = {
      {"nothing", record({}), false, false, false},
      {"RSN with PSK", record(RsnElement(Rsn(4), {Rsn(4)}, {Rsn(2)})), true, false, false},
      {"ad hoc WPA-None", record(WpaElement(Ms(2), {Ms(2)}, {Ms(2)}), 0), true, false, false},
      {"ciphers without a known AKM", record(Element(48, Concat({U16(1), Rsn(4), U16(5), Rsn(2)}))), true, false,
       false},
      {"an RSN element too short to read", record(Element(48, Bytes(11, 0))), false, false, false},
      {"CCX suites are no security", record(WpaElement(Ccx(2), {Ccx(0)}, {})), false, false, false},
      {"an empty WPS element", record(WpsElement({})), false, true, false},
      {"HT capabilities", record(HtCapabilities(0, 0, 0, 0)), false, false, true},
      {"HT capabilities of another length", record(Element(45, Bytes(25, 0))), false, false, false},
      {"HT information only", record(HtInformation(1, 0, 0, 0, 0, 0)), false, false, true},
      {"the vendor HT information", record(vendorHtInfo), false, false, true},
      {"all three", record(Concat({WpsElement({Attribute(0x1044, {2})}), RsnElement(Rsn(2), {Rsn(2)}, {Rsn(1)}),
                                   HtCapabilities(0xFFFF, 0xFF, 0xFF, 0xFFFF)})),
       true, true, true},
      {"IELength past Length", longIes, false, false, false},
      {"a WPS element in the fixed fields", fakeWps, false, false, false},
  };
  for (const Case& c : cases) {
    const DWORD available = static_cast<DWORD>(c.record.size());
    const BssElementMarks marks = ReadBssElementMarks(c.record.data(), available);
    EXPECT_EQ(marks.secured, c.secured) << c.what;
    EXPECT_EQ(marks.wps, c.wps) << c.what;
    EXPECT_EQ(marks.ht, c.ht) << c.what;
    // And as the texts have them.
    EXPECT_EQ(marks.secured, Parse(c.record, kBssTextSecurity) != "Unknown;None") << c.what;
    EXPECT_EQ(marks.wps, Fields(Parse(c.record, kBssTextWps))[kWpsTextFields - 1] == "TRUE") << c.what;
    EXPECT_EQ(marks.ht, Fields(Parse(c.record, kBssTextHt))[kHtTextFields - 1] == "TRUE") << c.what;
  }
  const BssElementMarks none = ReadBssElementMarks(nullptr, 0);
  EXPECT_FALSE(none.secured || none.wps || none.ht);
}

TEST(BssInfoElementsTest, SelectorFourIsTheBeaconIntervalOfTheFixedFields) {
  BssRecordFields fields;
  fields.beaconInterval = 0x1234;
  EXPECT_EQ(Parse(BssRecord(fields), kBssTextBeaconInterval), "4660");
  fields.beaconInterval = 0xFFFF;
  EXPECT_EQ(Parse(BssRecord(fields), kBssTextBeaconInterval), "65535");
  Bytes noFixed = BssRecord(fields);
  wavorel::wire::putU32(noFixed.data() + wavorel::wire::ndis::bssid::kIeLength, 9);
  EXPECT_EQ(Parse(noFixed, kBssTextBeaconInterval), "0");
}

TEST(BssInfoElementsTest, ElementsStartBehindTheFixedFields) {
  // Fixed bytes that look like a WPS element are not read as one.
  BssRecordFields fields;
  Bytes record = BssRecord(fields);
  const Bytes fake = {221, 10, 0x00, 0x50, 0xF2, 0x04, 0x10, 0x44, 0x00, 0x01, 0x02, 0x00};
  std::copy(fake.begin(), fake.end(), record.begin() + wavorel::wire::ndis::bssid::kIes);
  EXPECT_EQ(Fields(Parse(record, kBssTextWps))[8], "FALSE");
  // The same bytes behind the fixed fields are an element.
  fields.elements = fake;
  EXPECT_EQ(Fields(Parse(BssRecord(fields), kBssTextWps))[8], "TRUE");
}

}  // namespace
}  // namespace worker::testing
