// Reader of form descriptions and the merge of a translation over a form. The reader walks
// the text once, line by line, with fixed limits on nesting and size, so that any bytes at
// all end in a description or in an error naming the line, never in a crash or a hang.
#include "FormDescription.h"

#include <set>

namespace {
// Far more than any dialog needs; they bound the work a hostile text can cause.
const size_t maxTextSize = 1 << 20;
const size_t maxDepth = 32;
const size_t maxComponents = 2000;
const size_t maxValuesPerProperty = 1000;

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One line of the text, read from left to right.
class LineReader {
  public:
    LineReader(const std::string& line, int number) : line_(line), number_(number) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw FormDescriptionError("Form description, line " + std::to_string(number_) + ": " +
                                   what);
    }
    void SkipBlanks() {
        while (position_ < line_.size() && IsBlank(line_[position_]))
            ++position_;
    }
    bool AtEnd() {
        SkipBlanks();
        return position_ >= line_.size();
    }
    bool Accept(char c) {
        SkipBlanks();
        if (position_ < line_.size() && line_[position_] == c) {
            ++position_;
            return true;
        }
        return false;
    }
    void Expect(char c, const char* what) {
        if (!Accept(c))
            Fail(std::string("expected ") + what);
    }
    bool PeekName() {
        SkipBlanks();
        return position_ < line_.size() && IsNameStart(line_[position_]);
    }
    std::string Name(const char* what) {
        if (!PeekName())
            Fail(std::string("expected ") + what);
        const size_t start = position_;
        while (position_ < line_.size() && IsNameChar(line_[position_]))
            ++position_;
        return line_.substr(start, position_ - start);
    }
    FormValue Value() {
        SkipBlanks();
        if (position_ >= line_.size())
            Fail("expected a value");
        const char c = line_[position_];
        if (c == '"')
            return StringValue();
        if (c == '-' || IsDigit(c))
            return NumberValue();
        if (IsNameStart(c)) {
            FormValue value;
            value.kind = FormValue::Kind::Word;
            value.text = Name("a value");
            return value;
        }
        Fail("expected a value");
    }

  private:
    FormValue StringValue() {
        FormValue value;
        value.kind = FormValue::Kind::String;
        ++position_;
        for (;;) {
            if (position_ >= line_.size())
                Fail("string not closed");
            const char c = line_[position_++];
            if (c == '"')
                return value;
            if (c != '\\') {
                value.text += c;
                continue;
            }
            if (position_ >= line_.size())
                Fail("string not closed");
            const char escaped = line_[position_++];
            switch (escaped) {
            case '"':
                value.text += '"';
                break;
            case '\\':
                value.text += '\\';
                break;
            case 'n':
                value.text += '\n';
                break;
            case 't':
                value.text += '\t';
                break;
            case 'x': {
                const int high = position_ < line_.size() ? HexDigit(line_[position_]) : -1;
                const int low = position_ + 1 < line_.size() ? HexDigit(line_[position_ + 1]) : -1;
                if (high < 0 || low < 0)
                    Fail("\\x needs two hexadecimal digits");
                value.text += static_cast<char>(high * 16 + low);
                position_ += 2;
                break;
            }
            default:
                Fail("unknown escape in string");
            }
        }
    }
    FormValue NumberValue() {
        FormValue value;
        value.kind = FormValue::Kind::Integer;
        const size_t start = position_;
        const bool negative = line_[position_] == '-';
        if (negative)
            ++position_;
        if (position_ >= line_.size() || !IsDigit(line_[position_]))
            Fail("expected digits");
        int64_t magnitude = 0;
        while (position_ < line_.size() && IsDigit(line_[position_])) {
            magnitude = magnitude * 10 + (line_[position_] - '0');
            if (magnitude > (int64_t{1} << 31))
                Fail("number out of range");
            ++position_;
        }
        const int64_t signedValue = negative ? -magnitude : magnitude;
        if (signedValue > INT32_MAX)
            Fail("number out of range");
        if (position_ < line_.size() && IsNameChar(line_[position_]))
            Fail("expected digits");
        value.number = static_cast<int32_t>(signedValue);
        value.text = line_.substr(start, position_ - start);
        return value;
    }

    const std::string& line_;
    int number_;
    size_t position_ = 0;
};

// Lines end at LF, CR LF or CR.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}
} // namespace

const FormProperty* FormComponent::Find(const std::string& key) const {
    for (const FormProperty& property : properties)
        if (property.key == key)
            return &property;
    return nullptr;
}

FormProperty* FormComponent::Find(const std::string& key) {
    for (FormProperty& property : properties)
        if (property.key == key)
            return &property;
    return nullptr;
}

std::string FormComponent::Text(const std::string& key, const std::string& fallback) const {
    const FormProperty* property = Find(key);
    return property && !property->values.empty() ? property->values.front().text : fallback;
}

std::vector<std::string> FormComponent::Texts(const std::string& key) const {
    std::vector<std::string> texts;
    if (const FormProperty* property = Find(key))
        for (const FormValue& value : property->values)
            texts.push_back(value.text);
    return texts;
}

int32_t FormComponent::Number(const std::string& key, size_t index, int32_t fallback) const {
    const FormProperty* property = Find(key);
    if (!property || index >= property->values.size())
        return fallback;
    const FormValue& value = property->values[index];
    return value.kind == FormValue::Kind::Integer ? value.number : fallback;
}

bool FormComponent::Flag(const std::string& key) const {
    const FormProperty* property = Find(key);
    return property && !property->values.empty() &&
           property->values.front().kind == FormValue::Kind::Word &&
           property->values.front().text == "true";
}

const FormComponent* FormComponent::FindComponent(const std::string& componentName) const {
    if (name == componentName)
        return this;
    for (const FormComponent& child : children)
        if (const FormComponent* found = child.FindComponent(componentName))
            return found;
    return nullptr;
}

FormComponent* FormComponent::FindComponent(const std::string& componentName) {
    return const_cast<FormComponent*>(
        static_cast<const FormComponent*>(this)->FindComponent(componentName));
}

FormComponent ParseFormDescription(const std::string& text) {
    if (text.size() > maxTextSize)
        throw FormDescriptionError("Form description: the text is too long");
    const std::vector<std::string> lines = SplitLines(text);

    FormComponent root;
    bool haveRoot = false;
    bool rootClosed = false;
    // The components being read, outermost first; each points into its parent's children,
    // which only grow at the end while the child is open, so the pointers stay valid.
    std::vector<FormComponent*> open;
    std::set<std::string> names;
    size_t componentCount = 0;

    for (size_t index = 0; index < lines.size(); ++index) {
        LineReader reader(lines[index], static_cast<int>(index + 1));
        if (reader.AtEnd() || reader.Accept('#'))
            continue;
        if (reader.Accept('}')) {
            if (open.empty())
                reader.Fail("\"}\" without a component to close");
            if (!reader.AtEnd())
                reader.Fail("unexpected text after \"}\"");
            open.pop_back();
            if (open.empty())
                rootClosed = true;
            continue;
        }
        const std::string first = reader.Name("a component or a property");
        if (reader.Accept(':')) {
            FormComponent component;
            component.name = first;
            component.kind = reader.Name("the kind of component");
            component.line = static_cast<int>(index + 1);
            reader.Expect('{', "\"{\" after the kind");
            if (!reader.AtEnd())
                reader.Fail("unexpected text after \"{\"");
            if (rootClosed || (haveRoot && open.empty()))
                reader.Fail("a second component at the top");
            if (open.size() >= maxDepth)
                reader.Fail("components nested too deeply");
            if (++componentCount > maxComponents)
                reader.Fail("too many components");
            if (!names.insert(first).second)
                reader.Fail("the name " + first + " is used twice");
            if (!haveRoot) {
                root = std::move(component);
                haveRoot = true;
                open.push_back(&root);
            } else {
                open.back()->children.push_back(std::move(component));
                open.push_back(&open.back()->children.back());
            }
            continue;
        }
        if (!reader.Accept('='))
            reader.Fail("expected \":\" or \"=\" after " + first);
        if (open.empty())
            reader.Fail("a property outside any component");
        FormComponent& owner = *open.back();
        if (owner.Find(first))
            reader.Fail("the property " + first + " is given twice");
        FormProperty property;
        property.key = first;
        property.line = static_cast<int>(index + 1);
        do {
            if (property.values.size() >= maxValuesPerProperty)
                reader.Fail("too many values");
            property.values.push_back(reader.Value());
        } while (reader.Accept(','));
        if (!reader.AtEnd())
            reader.Fail("expected \",\" or the end of the line");
        owner.properties.push_back(std::move(property));
    }
    if (!haveRoot)
        throw FormDescriptionError("Form description: no component");
    if (!open.empty())
        throw FormDescriptionError("Form description: the component " + open.back()->name +
                                   " is not closed");
    return root;
}

namespace {
// Digits as a number was written when they still say that number ("007"), else the number.
std::string NumberText(const FormValue& value) {
    const std::string& text = value.text;
    const size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    bool spelled = text.size() > digits;
    int64_t magnitude = 0;
    for (size_t i = digits; spelled && i < text.size(); ++i) {
        spelled = IsDigit(text[i]);
        magnitude = magnitude * 10 + (text[i] - '0');
        spelled = spelled && magnitude <= (int64_t{1} << 32);
    }
    if (spelled && (digits ? -magnitude : magnitude) == value.number)
        return text;
    return std::to_string(value.number);
}

std::string QuotedText(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            quoted += std::string("\\") + c;
        else if (c == '\n')
            quoted += "\\n";
        else if (c == '\t')
            quoted += "\\t";
        else if (byte < 0x20 || byte == 0x7F)
            quoted += std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
        else
            quoted += c;
    }
    return quoted + '"';
}

void PrintComponent(const FormComponent& component, const std::string& indent, std::string& out) {
    out += indent + component.name + " : " + component.kind + " {\n";
    const std::string inner = indent + "    ";
    for (const FormProperty& property : component.properties) {
        out += inner + property.key + " =";
        for (size_t i = 0; i < property.values.size(); ++i) {
            const FormValue& value = property.values[i];
            out += i == 0 ? " " : ", ";
            switch (value.kind) {
            case FormValue::Kind::String:
                out += QuotedText(value.text);
                break;
            case FormValue::Kind::Integer:
                out += NumberText(value);
                break;
            case FormValue::Kind::Word:
                out += value.text;
                break;
            }
        }
        out += '\n';
    }
    for (const FormComponent& child : component.children)
        PrintComponent(child, inner, out);
    out += indent + "}\n";
}

void MergeComponent(FormComponent& form, const FormComponent& translated) {
    if (FormComponent* target = form.FindComponent(translated.name)) {
        for (const FormProperty& property : translated.properties) {
            if (FormProperty* existing = target->Find(property.key))
                existing->values = property.values;
            else
                target->properties.push_back(property);
        }
    }
    for (const FormComponent& child : translated.children)
        MergeComponent(form, child);
}
} // namespace

std::string PrintFormDescription(const FormComponent& form) {
    std::string text;
    PrintComponent(form, "", text);
    return text;
}

void MergeFormDescription(FormComponent& form, const FormComponent& translation) {
    MergeComponent(form, translation);
}
