#pragma once
// The device's certificate and certificate request: fixed material, well
// formed (DER, PKCS#10), but no key of the device signs with them.
#include <string_view>

namespace satemu {

// A self-signed X.509 certificate in DER, Base64 on one line: what every
// coupon's signature carries in X509Certificate.
extern const std::string_view kDeviceCertificateBase64;

// A PKCS#10 request in PEM, as AtivarSAT hands it out (Base64 of this text).
extern const std::string_view kCertificateRequestPem;

}  // namespace satemu
