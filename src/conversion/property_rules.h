#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/window.h"

namespace brimwell {

/// Which of the twelve property rules a converter applies.
enum class RuleSet {
    All,                ///< every rule, with or without parameters (the combined converters)
    AllWithParameters,  ///< rules 8-12 only for a head holding ';' (the per-file converter)
    Filtered,           ///< names, e-mails, addresses, phones, each only while its box is ticked
};

/// Receives the fields one line yields, in order. The views live until the next call.
class FieldSink {
public:
    virtual void field(std::string_view name, std::string_view value) = 0;

protected:
    ~FieldSink() = default;
};

/// What the rules hand to the sink: a first pass that only collects column names skips
/// the work of cleaning values and receives empty ones.
enum class FieldParts { NamesAndValues, NamesOnly };

/// Recognises vCard lines, one at a time, by the standard layout's property rules.
///
///     PropertyRules rules(window, RuleSet::All);
///     rules.startContact();
///     rules.recognize("EMAIL;TYPE=INTERNET:ann@example.com", sink);  // "Email Address"
///     rules.recognize("EMAIL:bob@example.com", sink);                // "Email Address 2"
///
/// Switches are read from the window when a rule needs them: "Remove CRLF" by the note
/// rule, a filter box each time its rule matches.
class PropertyRules {
public:
    PropertyRules(const Window& window, RuleSet rules,
                  FieldParts parts = FieldParts::NamesAndValues)
        : m_window(window), m_rules(rules), m_values(parts == FieldParts::NamesAndValues)
    {}

    /// Sets the four repeat counters (e-mail, website, business and home phone) back to 1.
    void startContact();
    void recognize(std::string_view line, FieldSink& sink);

private:
    struct Line;
    /// A column that repeats within a contact: "Email Address", "Email Address 2", ...
    struct Numbered {
        std::string_view name;
        int counter = 1;
        /// "name 2", "name 3", ..., each made once, the first time a contact needs it.
        std::vector<std::string> laterNames = {};
    };

    void recognizeKey(const Line& line, FieldSink& sink);
    void recognizeFiltered(const Line& line, FieldSink& sink);
    void nameRule(const Line& line, FieldSink& sink);
    void noteRule(const Line& line, FieldSink& sink);
    void addressRule(const Line& line, FieldSink& sink);
    void telephoneRule(const Line& line, FieldSink& sink);
    void yieldNumbered(Numbered& column, std::string_view value, FieldSink& sink);

    /// The line's first value (up to its second ':') without carriage returns, trimmed of
    /// spaces first when asked; nothing when only names are wanted.
    std::string_view firstValue(const Line& line, bool trimmed);
    /// `raw` without carriage returns; nothing when only names are wanted.
    std::string_view withoutCr(std::string_view raw);

    const Window& m_window;
    RuleSet m_rules;
    bool m_values;
    Numbered m_emails{"Email Address"};
    Numbered m_websites{"Website"};
    Numbered m_businessPhones{"Business Phone"};
    Numbered m_homePhones{"Home Phone"};
    std::string m_value;  // reused buffers: no allocation per line once grown
    std::string m_secondValue;
};

}  // namespace brimwell
