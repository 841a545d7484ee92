// The choices the name dialog asks of the search dialog: a person, a state, a place of a state
// and a group. The shared search dialog implements them; TTableSearch is a plain list of the
// table's entries for a program or test that has no search dialog.
#pragma once

#include "PlaceOffsets.h"

#include <functional>
#include <string>

class QWidget;

namespace kyr {

class TDataCollection;

class TNameSearch {
public:
    virtual ~TNameSearch() = default;
    /// A person, listed first name first or last name first; preview is called for each entry
    /// the user clicks while the list is open. True on OK.
    virtual bool
    PickName(bool firstFirst,
             const std::function<void(const std::string &first, const std::string &last)> &preview,
             std::string &first, std::string &last) = 0;
    /// A StateName of STATES.
    virtual bool PickState(std::string &state) = 0;
    /// A place of the state, with its row's values.
    virtual bool PickPlace(const std::string &state, TAtlasPlace &place) = 0;
    /// A GroupName of GROUPS; a typed name that GROUPS lacks is created.
    virtual bool PickGroup(std::string &group) = 0;
};

/// Each choice as a list of the table's entries in a small modal dialog.
class TTableSearch : public TNameSearch {
public:
    TTableSearch(TDataCollection &data, QWidget *parent) : FData(data), FParent(parent) {}

    bool PickName(bool firstFirst,
                  const std::function<void(const std::string &, const std::string &)> &preview,
                  std::string &first, std::string &last) override;
    bool PickState(std::string &state) override;
    bool PickPlace(const std::string &state, TAtlasPlace &place) override;
    bool PickGroup(std::string &group) override;

private:
    TDataCollection &FData;
    QWidget *FParent;
};

} // namespace kyr
