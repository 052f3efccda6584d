#include "geometry/unique_names.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text_codec.h"

namespace qv {

namespace {

// Key under which names that compare equal ignoring letter case collide: ASCII letters folded,
// double-byte characters kept whole (their second byte may look like a letter).
std::string FoldKey(const std::string& name) {
  std::string key = name;
  for (size_t i = 0; i < key.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(key[i]);
    if (IsCp932LeadByte(c) && i + 1 < key.size()) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      key[i] = static_cast<char>(c + 32);
    }
  }
  return key;
}

// Counting names by key keeps this linear in the number of names. Taken names never become
// free again (a name is only given up while another holder keeps it), so the first free number
// for a name can be remembered and searched on from there.
void MakeUnique(std::vector<std::string*>& names) {
  std::unordered_map<std::string, int> counts;
  std::unordered_map<std::string, int> firstFree;  // by the key of the name being renamed
  for (const std::string* name : names) ++counts[FoldKey(*name)];
  for (size_t i = names.size(); i-- > 0;) {
    std::string& name = *names[i];
    const std::string key = FoldKey(name);
    if (counts[key] < 2) continue;
    int& number = firstFree.try_emplace(key, 2).first->second;
    for (;; ++number) {
      std::string candidate = name + "_" + std::to_string(number);
      std::string candidateKey = FoldKey(candidate);
      auto it = counts.find(candidateKey);
      if (it != counts.end() && it->second > 0) continue;
      --counts[key];
      counts[candidateKey] = 1;
      name = std::move(candidate);
      ++number;
      break;
    }
  }
}

}  // namespace

void MakeNamesUnique(Scene& scene) {
  std::vector<std::string*> names;
  for (CModel& model : scene.m_models) names.push_back(&model.m_name);
  MakeUnique(names);
  names.clear();
  for (CMaterial& material : scene.m_materials) names.push_back(&material.m_name);
  MakeUnique(names);
}

}  // namespace qv
