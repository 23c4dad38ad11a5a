// trustroot add|remove FILE: puts the certificate in FILE (PEM or DER) into
// the local machine's trusted root store of the running Windows (for the
// tests: the project's own Wine prefix), or takes it out again. Nothing
// outside that store is touched.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> ReadFileBytes(const wchar_t* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// PEM text is decoded; anything else is taken for DER as it is.
std::vector<BYTE> CertificateBytes(const std::vector<BYTE>& file) {
  DWORD size = 0;
  const auto* text = reinterpret_cast<const char*>(file.data());
  if (!CryptStringToBinaryA(text, static_cast<DWORD>(file.size()), CRYPT_STRING_BASE64HEADER, nullptr, &size,
                            nullptr, nullptr))
    return file;
  std::vector<BYTE> der(size);
  if (!CryptStringToBinaryA(text, static_cast<DWORD>(file.size()), CRYPT_STRING_BASE64HEADER, der.data(), &size,
                            nullptr, nullptr))
    return file;
  der.resize(size);
  return der;
}

int Fail(const wchar_t* what) {
  std::fwprintf(stderr, L"trustroot: %ls (error 0x%08lX)\n", what, GetLastError());
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 || (std::wcscmp(argv[1], L"add") != 0 && std::wcscmp(argv[1], L"remove") != 0)) {
    std::fwprintf(stderr, L"usage: trustroot add|remove CERTIFICATE\n");
    return 2;
  }
  const std::vector<BYTE> file = ReadFileBytes(argv[2]);
  if (file.empty()) return Fail(L"the certificate file cannot be read");
  const std::vector<BYTE> der = CertificateBytes(file);
  PCCERT_CONTEXT certificate =
      CertCreateCertificateContext(X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()));
  if (!certificate) return Fail(L"the file holds no certificate");
  HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"ROOT");
  if (!store) {
    CertFreeCertificateContext(certificate);
    return Fail(L"the trusted root store cannot be opened");
  }
  int result = 0;
  if (std::wcscmp(argv[1], L"add") == 0) {
    if (!CertAddCertificateContextToStore(store, certificate, CERT_STORE_ADD_REPLACE_EXISTING, nullptr))
      result = Fail(L"the certificate cannot be added");
  } else {
    PCCERT_CONTEXT found =
        CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING, certificate, nullptr);
    if (found && !CertDeleteCertificateFromStore(found)) result = Fail(L"the certificate cannot be removed");
  }
  CertCloseStore(store, 0);
  CertFreeCertificateContext(certificate);
  return result;
}
