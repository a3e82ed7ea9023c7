#include "module/option_store.h"

namespace mint {

OptionStore gOptionStore = {"Null", "Bone", 0.5f, kInitialOptionWord};

// 0x03 marks a text that carries the host's popup formatting code.
#define MINT_SEPARATOR "\x03(c:Nc_BG)------"

const char *const kColourList[17] = {"\x03(i:140,152) Black",
                                     "\x03(i:140,153) Dk Blue",
                                     "\x03(i:140,154) Dk Green",
                                     "\x03(i:140,155) Dk Cyan",
                                     "\x03(i:140,156) Dk Red",
                                     "\x03(i:140,157) Purple",
                                     "\x03(i:140,158) Brown",
                                     "\x03(i:140,159) Gray",
                                     "\x03(i:140,160) Blue",
                                     "\x03(i:140,161) Green",
                                     "\x03(i:140,162) Cyan",
                                     "\x03(i:140,163) Red",
                                     "\x03(i:140,164) Magenta",
                                     "\x03(i:140,165) Orange",
                                     "\x03(i:140,166) White",
                                     "LW_Setting",
                                     nullptr};

const char *const kPrefixList[17] = {
    "Prefix", " n_+",  " nn_+",  " nnn_+",       MINT_SEPARATOR, " n +",  " nn +",  " nnn +", MINT_SEPARATOR,
    " n-+",   " nn-+", " nnn-+", MINT_SEPARATOR, " n+ ",         " nn+ ", " nnn+ ", nullptr};

const char *const kSuffixList[17] = {
    "Suffix", " +_n",  " +_nn",  " +_nnn",       MINT_SEPARATOR, " + n",  " + nn",  " + nnn", MINT_SEPARATOR,
    " +-n",   " +-nn", " +-nnn", MINT_SEPARATOR, " +n ",         " +nn ", " +nnn ", nullptr};

#undef MINT_SEPARATOR

}  // namespace mint
