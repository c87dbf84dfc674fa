/* Makes data/xlsxwriter/book.xlsx with Debian's libxlsxwriter:
 *   gcc xlsxwriter_book.c -lxlsxwriter -o /tmp/xw && /tmp/xw OUT.xlsx PICTURE.png
 * libxlsxwriter writes cached formula results, and a button as a VML form control. */
#include <xlsxwriter.h>

int main(int argc, char** argv) {
    lxw_workbook* wb = workbook_new(argv[1]);
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Sheet One");
    lxw_worksheet* other = workbook_add_worksheet(wb, "Other");
    lxw_format* date = workbook_add_format(wb);
    format_set_num_format(date, "yyyy-mm-dd hh:mm");
    lxw_format* red = workbook_add_format(wb);
    format_set_bg_color(red, 0xFF0000);
    format_set_pattern(red, LXW_PATTERN_SOLID);
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);

    worksheet_write_string(ws, 0, 0, "text", red);
    worksheet_write_number(ws, 0, 1, 123456789012345678.0, NULL);
    worksheet_write_boolean(ws, 0, 2, 1, NULL);
    lxw_datetime dt = {2023, 12, 31, 23, 59, 0};
    worksheet_write_datetime(ws, 0, 3, &dt, date);
    worksheet_write_formula_num(ws, 1, 0, "=B1/2", NULL, 61728394506172839.0);
    worksheet_write_formula_str(ws, 1, 1, "=A1&\"!\"", NULL, "text!");
    worksheet_write_formula(ws, 1, 2, "=A1=\"text\"", NULL);
    worksheet_write_blank(ws, 1, 3, red);
    lxw_rich_string_tuple f1 = {.format = bold, .string = "bold "};
    lxw_rich_string_tuple f2 = {.format = NULL, .string = "plain"};
    lxw_rich_string_tuple* rich[] = {&f1, &f2, NULL};
    worksheet_write_rich_string(ws, 2, 0, rich, NULL);
    worksheet_write_string(ws, 3, 0, "with\ttab and \x01 control", NULL);
    worksheet_write_comment(ws, 2, 0, "rich text here");

    lxw_data_validation dv = {.validate = LXW_VALIDATION_TYPE_DECIMAL,
                              .criteria = LXW_VALIDATION_CRITERIA_GREATER_THAN,
                              .value_number = 0.5,
                              .input_title = "Input",
                              .input_message = "a decimal above 0.5"};
    worksheet_data_validation_range(ws, 4, 1, 9, 1, &dv);

    lxw_button_options button = {.caption = "Press", .macro = "pressed"};
    worksheet_insert_button(ws, 5, 4, &button);
    worksheet_insert_image(ws, 10, 4, argv[2]);
    lxw_chart* chart = workbook_add_chart(wb, LXW_CHART_LINE);
    chart_add_series(chart, NULL, "='Sheet One'!$B$1:$B$2");
    worksheet_insert_chart(ws, 15, 4, chart);

    worksheet_write_string(other, 0, 0, "other sheet", NULL);
    worksheet_hide(other);
    worksheet_activate(ws);
    worksheet_set_selection(ws, 2, 1, 3, 2);
    return workbook_close(wb);
}
