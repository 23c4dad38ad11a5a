#include <openssl/core_names.h>
#include <openssl/ec.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "ecdsa_p256.h"

namespace quonel::updmanifest {
namespace {

template <typename T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const { Free(p); }
};
using Pkey = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using PkeyContext = std::unique_ptr<EVP_PKEY_CTX, Deleter<EVP_PKEY_CTX, EVP_PKEY_CTX_free>>;
using Bignum = std::unique_ptr<BIGNUM, Deleter<BIGNUM, BN_free>>;
using ParamBuilder = std::unique_ptr<OSSL_PARAM_BLD, Deleter<OSSL_PARAM_BLD, OSSL_PARAM_BLD_free>>;
using Params = std::unique_ptr<OSSL_PARAM, Deleter<OSSL_PARAM, OSSL_PARAM_free>>;
using Signature = std::unique_ptr<ECDSA_SIG, Deleter<ECDSA_SIG, ECDSA_SIG_free>>;

void Require(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("OpenSSL: ") + what + " failed");
}

// A key from its public point and, for signing, its private scalar.
Pkey MakeKey(const EcdsaP256PublicKey& publicKey, const EcdsaP256PrivateKey* privateKey) {
  unsigned char point[65] = {0x04};
  std::copy(publicKey.begin(), publicKey.end(), point + 1);
  ParamBuilder builder(OSSL_PARAM_BLD_new());
  Bignum scalar;
  Require(builder && OSSL_PARAM_BLD_push_utf8_string(builder.get(), OSSL_PKEY_PARAM_GROUP_NAME, "prime256v1", 0) &&
              OSSL_PARAM_BLD_push_octet_string(builder.get(), OSSL_PKEY_PARAM_PUB_KEY, point, sizeof point),
          "building a key");
  if (privateKey) {
    scalar.reset(BN_bin2bn(privateKey->data(), static_cast<int>(privateKey->size()), nullptr));
    Require(scalar && OSSL_PARAM_BLD_push_BN(builder.get(), OSSL_PKEY_PARAM_PRIV_KEY, scalar.get()), "building a key");
  }
  Params params(OSSL_PARAM_BLD_to_param(builder.get()));
  PkeyContext context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
  EVP_PKEY* key = nullptr;
  Require(params && context && EVP_PKEY_fromdata_init(context.get()) == 1 &&
              EVP_PKEY_fromdata(context.get(), &key, privateKey ? EVP_PKEY_KEYPAIR : EVP_PKEY_PUBLIC_KEY,
                                params.get()) == 1,
          "importing a P-256 key");
  return Pkey(key);
}

}  // namespace

SigningKey GenerateSigningKey() {
  Pkey key(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
  Require(key != nullptr, "generating a P-256 key");
  SigningKey result;
  unsigned char point[65];
  size_t length = 0;
  Require(EVP_PKEY_get_octet_string_param(key.get(), OSSL_PKEY_PARAM_PUB_KEY, point, sizeof point, &length) == 1 &&
              length == 65 && point[0] == 0x04,
          "reading the public key");
  std::copy(point + 1, point + 65, result.publicKey.begin());
  BIGNUM* scalar = nullptr;
  Require(EVP_PKEY_get_bn_param(key.get(), OSSL_PKEY_PARAM_PRIV_KEY, &scalar) == 1, "reading the private key");
  const Bignum owned(scalar);
  Require(BN_bn2binpad(scalar, result.privateKey.data(), static_cast<int>(result.privateKey.size())) == 32,
          "reading the private key");
  return result;
}

EcdsaP256Signature SignDigest(const SigningKey& key, const Sha256Bytes& digest) {
  const Pkey pkey = MakeKey(key.publicKey, &key.privateKey);
  PkeyContext context(EVP_PKEY_CTX_new(pkey.get(), nullptr));
  Require(context && EVP_PKEY_sign_init(context.get()) == 1, "starting a signature");
  size_t length = 0;
  Require(EVP_PKEY_sign(context.get(), nullptr, &length, digest.data(), digest.size()) == 1, "signing");
  std::vector<unsigned char> der(length);
  Require(EVP_PKEY_sign(context.get(), der.data(), &length, digest.data(), digest.size()) == 1, "signing");
  // OpenSSL writes DER; the file carries r and s as CNG does.
  const unsigned char* at = der.data();
  const Signature parsed(d2i_ECDSA_SIG(nullptr, &at, static_cast<long>(length)));
  Require(parsed != nullptr, "reading the signature");
  EcdsaP256Signature signature{};
  Require(BN_bn2binpad(ECDSA_SIG_get0_r(parsed.get()), signature.data(), 32) == 32 &&
              BN_bn2binpad(ECDSA_SIG_get0_s(parsed.get()), signature.data() + 32, 32) == 32,
          "reading the signature");
  return signature;
}

bool SignatureValid(const EcdsaP256PublicKey& key, const Sha256Bytes& digest, const EcdsaP256Signature& signature) {
  Pkey pkey;
  try {
    pkey = MakeKey(key, nullptr);
  } catch (const std::runtime_error&) {
    return false;  // no point of the curve
  }
  Signature parsed(ECDSA_SIG_new());
  Bignum r(BN_bin2bn(signature.data(), 32, nullptr)), s(BN_bin2bn(signature.data() + 32, 32, nullptr));
  Require(parsed && r && s && ECDSA_SIG_set0(parsed.get(), r.get(), s.get()) == 1, "reading the signature");
  r.release();
  s.release();
  unsigned char* der = nullptr;
  const int length = i2d_ECDSA_SIG(parsed.get(), &der);
  Require(length > 0, "encoding the signature");
  const std::unique_ptr<unsigned char, void (*)(unsigned char*)> ownedDer(der, [](unsigned char* p) { OPENSSL_free(p); });
  PkeyContext context(EVP_PKEY_CTX_new(pkey.get(), nullptr));
  Require(context && EVP_PKEY_verify_init(context.get()) == 1, "starting a check");
  return EVP_PKEY_verify(context.get(), der, static_cast<size_t>(length), digest.data(), digest.size()) == 1;
}

}  // namespace quonel::updmanifest
