// What the tlv subcommand knows of EMV data objects: the name of every tag, which objects
// carry card data (masked unless asked), which hold text, and what each bit or code of the
// bit-field objects means. Data only; tlv_cmd.cpp reads it.
#pragma once

namespace vl::cli::emv {

enum Kind : unsigned char {
  kBinary,    // shown as hexadecimal only
  kText,      // alphanumeric: its characters are shown beside the hexadecimal
  kCardData,  // card number, track, name, dates or discretionary data: masked
  kCardText,  // card data that is also text (cardholder names)
};

struct Tag {
  unsigned tag;
  Kind kind;
  const char *name;
};

// The data objects of the EMV books, then the common scheme objects (noted by scheme where
// two schemes give the same tag different meanings, the one seen in authorisations wins).
inline constexpr Tag kTags[] = {
    {0x42, kBinary, "Issuer Identification Number (IIN)"},
    {0x4F, kBinary, "Application Identifier (AID) - card"},
    {0x50, kText, "Application Label"},
    {0x56, kCardText, "Track 1 Data"},
    {0x57, kCardData, "Track 2 Equivalent Data"},
    {0x5A, kCardData, "Application Primary Account Number (PAN)"},
    {0x61, kBinary, "Application Template"},
    {0x6F, kBinary, "File Control Information (FCI) Template"},
    {0x70, kBinary, "READ RECORD Response Message Template"},
    {0x71, kBinary, "Issuer Script Template 1"},
    {0x72, kBinary, "Issuer Script Template 2"},
    {0x73, kBinary, "Directory Discretionary Template"},
    {0x77, kBinary, "Response Message Template Format 2"},
    {0x80, kBinary, "Response Message Template Format 1"},
    {0x81, kBinary, "Amount, Authorised (Binary)"},
    {0x82, kBinary, "Application Interchange Profile"},
    {0x83, kBinary, "Command Template"},
    {0x84, kBinary, "Dedicated File (DF) Name"},
    {0x86, kBinary, "Issuer Script Command"},
    {0x87, kBinary, "Application Priority Indicator"},
    {0x88, kBinary, "Short File Identifier (SFI)"},
    {0x89, kText, "Authorisation Code"},
    {0x8A, kText, "Authorisation Response Code"},
    {0x8C, kBinary, "Card Risk Management Data Object List 1 (CDOL1)"},
    {0x8D, kBinary, "Card Risk Management Data Object List 2 (CDOL2)"},
    {0x8E, kBinary, "Cardholder Verification Method (CVM) List"},
    {0x8F, kBinary, "Certification Authority Public Key Index"},
    {0x90, kBinary, "Issuer Public Key Certificate"},
    {0x91, kBinary, "Issuer Authentication Data"},
    {0x92, kBinary, "Issuer Public Key Remainder"},
    {0x93, kBinary, "Signed Static Application Data"},
    {0x94, kBinary, "Application File Locator (AFL)"},
    {0x95, kBinary, "Terminal Verification Results"},
    {0x97, kBinary, "Transaction Certificate Data Object List (TDOL)"},
    {0x98, kBinary, "Transaction Certificate (TC) Hash Value"},
    {0x99, kCardData, "Transaction Personal Identification Number (PIN) Data"},
    {0x9A, kBinary, "Transaction Date"},
    {0x9B, kBinary, "Transaction Status Information"},
    {0x9C, kBinary, "Transaction Type"},
    {0x9D, kBinary, "Directory Definition File (DDF) Name"},
    {0xA5, kBinary, "File Control Information (FCI) Proprietary Template"},
    {0x5F20, kCardText, "Cardholder Name"},
    {0x5F24, kCardData, "Application Expiration Date"},
    {0x5F25, kCardData, "Application Effective Date"},
    {0x5F28, kBinary, "Issuer Country Code"},
    {0x5F2A, kBinary, "Transaction Currency Code"},
    {0x5F2D, kText, "Language Preference"},
    {0x5F30, kCardData, "Service Code"},
    {0x5F34, kBinary, "Application PAN Sequence Number"},
    {0x5F36, kBinary, "Transaction Currency Exponent"},
    {0x5F50, kText, "Issuer URL"},
    {0x5F53, kCardData, "International Bank Account Number (IBAN)"},
    {0x5F54, kText, "Bank Identifier Code (BIC)"},
    {0x5F55, kText, "Issuer Country Code (alpha2 format)"},
    {0x5F56, kText, "Issuer Country Code (alpha3 format)"},
    {0x5F57, kBinary, "Account Type"},
    {0x9F01, kBinary, "Acquirer Identifier"},
    {0x9F02, kBinary, "Amount, Authorised (Numeric)"},
    {0x9F03, kBinary, "Amount, Other (Numeric)"},
    {0x9F04, kBinary, "Amount, Other (Binary)"},
    {0x9F05, kBinary, "Application Discretionary Data"},
    {0x9F06, kBinary, "Application Identifier (AID) - terminal"},
    {0x9F07, kBinary, "Application Usage Control"},
    {0x9F08, kBinary, "Application Version Number - card"},
    {0x9F09, kBinary, "Application Version Number - terminal"},
    {0x9F0A, kBinary, "Application Selection Registered Proprietary Data"},
    {0x9F0B, kCardText, "Cardholder Name Extended"},
    {0x9F0C, kBinary, "Issuer Identification Number Extended (IINE)"},
    {0x9F0D, kBinary, "Issuer Action Code - Default"},
    {0x9F0E, kBinary, "Issuer Action Code - Denial"},
    {0x9F0F, kBinary, "Issuer Action Code - Online"},
    {0x9F10, kBinary, "Issuer Application Data"},
    {0x9F11, kBinary, "Issuer Code Table Index"},
    {0x9F12, kText, "Application Preferred Name"},
    {0x9F13, kBinary, "Last Online Application Transaction Counter (ATC) Register"},
    {0x9F14, kBinary, "Lower Consecutive Offline Limit"},
    {0x9F15, kBinary, "Merchant Category Code"},
    {0x9F16, kText, "Merchant Identifier"},
    {0x9F17, kBinary, "PIN Try Counter"},
    {0x9F18, kBinary, "Issuer Script Identifier"},
    {0x9F19, kBinary, "Token Requestor ID"},
    {0x9F1A, kBinary, "Terminal Country Code"},
    {0x9F1B, kBinary, "Terminal Floor Limit"},
    {0x9F1C, kText, "Terminal Identification"},
    {0x9F1D, kBinary, "Terminal Risk Management Data"},
    {0x9F1E, kText, "Interface Device (IFD) Serial Number"},
    {0x9F1F, kCardText, "Track 1 Discretionary Data"},
    {0x9F20, kCardData, "Track 2 Discretionary Data"},
    {0x9F21, kBinary, "Transaction Time"},
    {0x9F22, kBinary, "Certification Authority Public Key Index - terminal"},
    {0x9F23, kBinary, "Upper Consecutive Offline Limit"},
    {0x9F24, kText, "Payment Account Reference (PAR)"},
    {0x9F25, kBinary, "Last 4 Digits of PAN"},
    {0x9F26, kBinary, "Application Cryptogram"},
    {0x9F27, kBinary, "Cryptogram Information Data"},
    {0x9F29, kBinary, "Extended Selection"},
    {0x9F2A, kBinary, "Kernel Identifier"},
    {0x9F2D, kBinary, "ICC PIN Encipherment Public Key Certificate"},
    {0x9F2E, kBinary, "ICC PIN Encipherment Public Key Exponent"},
    {0x9F2F, kBinary, "ICC PIN Encipherment Public Key Remainder"},
    {0x9F32, kBinary, "Issuer Public Key Exponent"},
    {0x9F33, kBinary, "Terminal Capabilities"},
    {0x9F34, kBinary, "Cardholder Verification Method (CVM) Results"},
    {0x9F35, kBinary, "Terminal Type"},
    {0x9F36, kBinary, "Application Transaction Counter (ATC)"},
    {0x9F37, kBinary, "Unpredictable Number"},
    {0x9F38, kBinary, "Processing Options Data Object List (PDOL)"},
    {0x9F39, kBinary, "Point-of-Service (POS) Entry Mode"},
    {0x9F3A, kBinary, "Amount, Reference Currency"},
    {0x9F3B, kBinary, "Application Reference Currency"},
    {0x9F3C, kBinary, "Transaction Reference Currency Code"},
    {0x9F3D, kBinary, "Transaction Reference Currency Exponent"},
    {0x9F40, kBinary, "Additional Terminal Capabilities"},
    {0x9F41, kBinary, "Transaction Sequence Counter"},
    {0x9F42, kBinary, "Application Currency Code"},
    {0x9F43, kBinary, "Application Reference Currency Exponent"},
    {0x9F44, kBinary, "Application Currency Exponent"},
    {0x9F45, kBinary, "Data Authentication Code"},
    {0x9F46, kBinary, "ICC Public Key Certificate"},
    {0x9F47, kBinary, "ICC Public Key Exponent"},
    {0x9F48, kBinary, "ICC Public Key Remainder"},
    {0x9F49, kBinary, "Dynamic Data Authentication Data Object List (DDOL)"},
    {0x9F4A, kBinary, "Static Data Authentication Tag List"},
    {0x9F4B, kBinary, "Signed Dynamic Application Data"},
    {0x9F4C, kBinary, "ICC Dynamic Number"},
    {0x9F4D, kBinary, "Log Entry"},
    {0x9F4E, kText, "Merchant Name and Location"},
    {0x9F4F, kBinary, "Log Format"},
    {0x9F53, kBinary, "Transaction Category Code (Mastercard)"},
    {0x9F5B, kBinary, "Issuer Script Results"},
    {0x9F5D, kBinary, "Available Offline Spending Amount"},
    {0x9F5A, kBinary, "Application Program Identifier (Visa)"},
    {0x9F60, kBinary, "CVC3 (Track 1) (Mastercard)"},
    {0x9F61, kBinary, "CVC3 (Track 2) (Mastercard)"},
    {0x9F62, kBinary, "PCVC3 (Track 1) (Mastercard)"},
    {0x9F63, kBinary, "PUNATC (Track 1) (Mastercard)"},
    {0x9F64, kBinary, "NATC (Track 1) (Mastercard)"},
    {0x9F65, kBinary, "PCVC3 (Track 2) (Mastercard)"},
    {0x9F66, kBinary, "Terminal Transaction Qualifiers (Visa)"},
    {0x9F67, kBinary, "NATC (Track 2) (Mastercard)"},
    {0x9F6A, kBinary, "Unpredictable Number (Numeric) (Mastercard)"},
    {0x9F6B, kCardData, "Track 2 Data (Mastercard) / Card CVM Limit (Visa)"},
    {0x9F6C, kBinary, "Card Transaction Qualifiers (Visa)"},
    {0x9F6D, kBinary, "Mag-stripe Application Version Number - reader (Mastercard)"},
    {0x9F74, kText, "VLP Issuer Authorisation Code (Visa)"},
    {0x9F6E, kBinary, "Form Factor Indicator (Visa) / Third Party Data (Mastercard)"},
    {0x9F7C, kBinary, "Customer Exclusive Data (Visa) / Merchant Custom Data (Mastercard)"},
    {0xBF0C, kBinary, "File Control Information (FCI) Issuer Discretionary Data"},
};

// One bit of a bit-field object: byte 1 is the first byte, bit 8 its high bit.
struct Bit {
  unsigned tag;
  unsigned char byte;
  unsigned char bit;
  const char *meaning;
};

// Terminal verification results (95), transaction status (9B), application interchange
// profile (82), terminal capabilities (9F33) and application usage control (9F07). A set
// bit without an entry is reported as reserved.
inline constexpr Bit kBits[] = {
    {0x95, 1, 8, "Offline data authentication was not performed"},
    {0x95, 1, 7, "SDA failed"},
    {0x95, 1, 6, "ICC data missing"},
    {0x95, 1, 5, "Card appears on terminal exception file"},
    {0x95, 1, 4, "DDA failed"},
    {0x95, 1, 3, "CDA failed"},
    {0x95, 1, 2, "SDA selected"},
    {0x95, 2, 8, "ICC and terminal have different application versions"},
    {0x95, 2, 7, "Expired application"},
    {0x95, 2, 6, "Application not yet effective"},
    {0x95, 2, 5, "Requested service not allowed for card product"},
    {0x95, 2, 4, "New card"},
    {0x95, 3, 8, "Cardholder verification was not successful"},
    {0x95, 3, 7, "Unrecognised CVM"},
    {0x95, 3, 6, "PIN Try Limit exceeded"},
    {0x95, 3, 5, "PIN entry required and PIN pad not present or not working"},
    {0x95, 3, 4, "PIN entry required, PIN pad present, but PIN was not entered"},
    {0x95, 3, 3, "Online PIN entered"},
    {0x95, 4, 8, "Transaction exceeds floor limit"},
    {0x95, 4, 7, "Lower consecutive offline limit exceeded"},
    {0x95, 4, 6, "Upper consecutive offline limit exceeded"},
    {0x95, 4, 5, "Transaction selected randomly for online processing"},
    {0x95, 4, 4, "Merchant forced transaction online"},
    {0x95, 5, 8, "Default TDOL used"},
    {0x95, 5, 7, "Issuer authentication failed"},
    {0x95, 5, 6, "Script processing failed before final GENERATE AC"},
    {0x95, 5, 5, "Script processing failed after final GENERATE AC"},
    {0x95, 5, 4, "Relay resistance threshold exceeded"},
    {0x95, 5, 3, "Relay resistance time limits exceeded"},
    {0x95, 5, 2, "Relay resistance protocol performed (high bit of two)"},
    {0x95, 5, 1, "Relay resistance protocol performed (low bit of two)"},

    {0x9B, 1, 8, "Offline data authentication was performed"},
    {0x9B, 1, 7, "Cardholder verification was performed"},
    {0x9B, 1, 6, "Card risk management was performed"},
    {0x9B, 1, 5, "Issuer authentication was performed"},
    {0x9B, 1, 4, "Terminal risk management was performed"},
    {0x9B, 1, 3, "Script processing was performed"},

    {0x82, 1, 7, "SDA supported"},
    {0x82, 1, 6, "DDA supported"},
    {0x82, 1, 5, "Cardholder verification is supported"},
    {0x82, 1, 4, "Terminal risk management is to be performed"},
    {0x82, 1, 3, "Issuer authentication is supported"},
    {0x82, 1, 2, "On-device cardholder verification is supported (contactless)"},
    {0x82, 1, 1, "CDA supported"},
    {0x82, 2, 8, "EMV mode is supported (contactless)"},
    {0x82, 2, 1, "Relay resistance protocol is supported (contactless)"},

    {0x9F33, 1, 8, "Manual key entry"},
    {0x9F33, 1, 7, "Magnetic stripe"},
    {0x9F33, 1, 6, "IC with contacts"},
    {0x9F33, 2, 8, "Plaintext PIN for ICC verification"},
    {0x9F33, 2, 7, "Enciphered PIN for online verification"},
    {0x9F33, 2, 6, "Signature (paper)"},
    {0x9F33, 2, 5, "Enciphered PIN for offline verification"},
    {0x9F33, 2, 4, "No CVM required"},
    {0x9F33, 3, 8, "SDA"},
    {0x9F33, 3, 7, "DDA"},
    {0x9F33, 3, 6, "Card capture"},
    {0x9F33, 3, 4, "CDA"},

    {0x9F07, 1, 8, "Valid for domestic cash transactions"},
    {0x9F07, 1, 7, "Valid for international cash transactions"},
    {0x9F07, 1, 6, "Valid for domestic goods"},
    {0x9F07, 1, 5, "Valid for international goods"},
    {0x9F07, 1, 4, "Valid for domestic services"},
    {0x9F07, 1, 3, "Valid for international services"},
    {0x9F07, 1, 2, "Valid at ATMs"},
    {0x9F07, 1, 1, "Valid at terminals other than ATMs"},
    {0x9F07, 2, 8, "Domestic cashback allowed"},
    {0x9F07, 2, 7, "International cashback allowed"},
};

// The tags whose bits kBits spells out, with the number of bytes each holds.
struct BitField {
  unsigned tag;
  unsigned char bytes;
};
inline constexpr BitField kBitFields[] = {
    {0x95, 5}, {0x9B, 2}, {0x82, 2}, {0x9F33, 3}, {0x9F07, 2},
};

struct Code {
  unsigned char code;
  const char *meaning;
};

// Cardholder verification methods: the low six bits of a CV rule's first byte (and of the
// first byte of the CVM results). Codes without an entry are reserved.
inline constexpr Code kCvmMethods[] = {
    {0x00, "Fail CVM processing"},
    {0x01, "Plaintext PIN verification performed by ICC"},
    {0x02, "Enciphered PIN verified online"},
    {0x03, "Plaintext PIN verification performed by ICC and signature (paper)"},
    {0x04, "Enciphered PIN verification performed by ICC"},
    {0x05, "Enciphered PIN verification performed by ICC and signature (paper)"},
    {0x1E, "Signature (paper)"},
    {0x1F, "No CVM required"},
    {0x3F, "No CVM performed"},
};

// The condition byte of a CV rule (and the second byte of the CVM results).
inline constexpr Code kCvmConditions[] = {
    {0x00, "Always"},
    {0x01, "If unattended cash"},
    {0x02, "If not unattended cash and not manual cash and not purchase with cashback"},
    {0x03, "If terminal supports the CVM"},
    {0x04, "If manual cash"},
    {0x05, "If purchase with cashback"},
    {0x06, "If transaction is in the application currency and is under X value"},
    {0x07, "If transaction is in the application currency and is over X value"},
    {0x08, "If transaction is in the application currency and is under Y value"},
    {0x09, "If transaction is in the application currency and is over Y value"},
};

// The third byte of the CVM results.
inline constexpr Code kCvmResults[] = {
    {0x00, "Unknown"},
    {0x01, "Failed"},
    {0x02, "Successful"},
};

// The cryptogram information data: its two high bits give the cryptogram's type...
inline constexpr Code kCryptogramTypes[] = {
    {0x00, "AAC (transaction declined)"},
    {0x40, "TC (transaction approved)"},
    {0x80, "ARQC (online authorisation requested)"},
};
// ...bit 4 asks for an advice, and the low three bits give a reason.
inline constexpr unsigned char kAdviceRequired = 0x08;
inline constexpr Code kCryptogramReasons[] = {
    {0x00, "No information given"},
    {0x01, "Service not allowed"},
    {0x02, "PIN Try Limit exceeded"},
    {0x03, "Issuer authentication failed"},
};

}  // namespace vl::cli::emv
