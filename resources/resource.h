//{{NO_DEPENDENCIES}}
// Identifiers of the plug-in's resources, included by Tarvo.rc.

// Dialog templates.
#define IDD_INFO_BOARD                  8000
#define IDD_LINE_MARKINGS               8019
#define IDD_ARROWS                      8027
#define IDD_SIGNS                       8039
#define IDD_TRAFFIC_LIGHTS              8040
#define IDD_ISLANDS                     8048

// Bitmaps: the island sketches.
#define IDB_ISLAND_TRIANGULAR           8088
#define IDB_ISLAND_PARALLEL             8090

// Icons: the traffic-light catalogue's symbols, one per template drawing
// (s_c4's also stands for its mirror s_c5).
#define IDI_LIGHT_S_A1 8049
#define IDI_LIGHT_S_B1 8050
#define IDI_LIGHT_S_C1 8051
#define IDI_LIGHT_S_C2 8080
#define IDI_LIGHT_S_C3 8053
#define IDI_LIGHT_S_C4 8054
#define IDI_LIGHT_S_C6 8055
#define IDI_LIGHT_S_C7 8056
#define IDI_LIGHT_S_C8 8057
#define IDI_LIGHT_S_D1 8059
#define IDI_LIGHT_S_D2 8060
#define IDI_LIGHT_S_D3 8061
#define IDI_LIGHT_S_E1 8062
#define IDI_LIGHT_S_F1 8063
#define IDI_LIGHT_S_G1 8064
#define IDI_LIGHT_S_G2 8065
#define IDI_LIGHT_S_G3 8066
#define IDI_LIGHT_S_G4 8067
#define IDI_LIGHT_S_G5 8068
#define IDI_LIGHT_S_G6 8069
#define IDI_LIGHT_S_H1 8070
#define IDI_LIGHT_S_I1 8071
#define IDI_LIGHT_S_J1 8072
#define IDI_LIGHT_S_K1 8073
#define IDI_LIGHT_S_L1 8074
#define IDI_LIGHT_S_M1 8075
#define IDI_LIGHT_S_N1 8076
#define IDI_LIGHT_S_O1 8077
#define IDI_LIGHT_S_P1 8078
// Icons of the arrow catalogue (8027), drawn from the arrows' outlines.
#define IDI_ARROW_P8A 8038
#define IDI_ARROW_P8B 8042
#define IDI_ARROW_P8D 8091
#define IDI_ARROW_P8G 8092
#define IDI_ARROW_P8H 8093
#define IDI_ARROW_P8E 8094
#define IDI_ARROW_P8F 8095
#define IDI_ARROW_P9A 8096
#define IDI_ARROW_P9B 8097
#define IDI_ARROW_P6A 8098
#define IDI_ARROW_P8C 8100
#define IDI_ARROW_P8I 8101

// Controls of the information board (8000).
#define IDC_TEXT_SIZE                   8005
#define IDC_BOARD_TEXT                  8008
#define IDC_BOARD_SPARE                 8010
#define IDC_BOARD_COLOUR                8011
#define IDC_TEXT_COLOUR                 8012
#define IDC_BOARD_WIDTH                 8014
#define IDC_BOARD_HEIGHT                8015
#define IDC_BOARD_HEIGHT_LABEL          8017
#define IDC_BOARD_COLOUR_LABEL          8020
#define IDC_TEXT_COLOUR_LABEL           8021
#define IDC_TEXT_SIZE_LABEL             8022

// Controls of the sign dialog (8039); the scale and destination lists are
// also those of the traffic-light dialog (8040).
#define IDC_SIGN_TEXT                   8037
#define IDC_SIGN_DIRECTION              8038
#define IDC_SCALE                       8039
#define IDC_INSERT_AS_SIGN              8040
#define IDC_SIGN_SIZE                   8041
#define IDC_ADD_DESCRIPTION             8042
#define IDC_DESTINATION                 8043
#define IDC_SIGN_GENERATION             8044

// Controls of the line-marking (8019) and arrow (8027) dialogs.
#define IDC_LINE_DRAW                   8023
#define IDC_LINE_LIST                   8024
#define IDC_ARROW_LIST                  8028
#define IDC_ARROW_INSERT                8029
#define IDC_MARKING_DESTINATION         8031
#define IDC_MARKING_SCALE               8036
#define IDC_ARROW_LENGTH                8085

// Controls of the traffic-light dialog (8040).
#define IDC_LIGHT_LIST                  8046

// Controls of the island dialog (8048): an edit and its label per parameter.
#define IDC_R                           8052
#define IDC_S                           8053
#define IDC_R_LABEL                     8054
#define IDC_S_LABEL                     8055
#define IDC_L_LABEL                     8056
#define IDC_A_LABEL                     8057
#define IDC_SW_LABEL                    8058
#define IDC_SU_LABEL                    8059
#define IDC_SD_LABEL                    8060
#define IDC_L                           8061
#define IDC_A                           8062
#define IDC_SW                          8063
#define IDC_SU                          8064
#define IDC_SD                          8065
#define IDC_R1                          8066
#define IDC_R1_LABEL                    8067
#define IDC_R3_LABEL                    8068
#define IDC_R3                          8069
#define IDC_RU_LABEL                    8070
#define IDC_RU                          8071
#define IDC_RW_LABEL                    8072
#define IDC_RW                          8073
#define IDC_RU1_LABEL                   8074
#define IDC_RU1                         8075
#define IDC_RW1_LABEL                   8076
#define IDC_RW1                         8077
#define IDC_L1_LABEL                    8078
#define IDC_L1                          8079
#define IDC_L2_LABEL                    8080
#define IDC_L2                          8081
#define IDC_ISLAND_SKETCH               8082
#define IDC_ISLAND_KIND                 8083

// Strings: captions and list items.
#define IDS_CANCEL                      8001
#define IDS_CLOSE                       8002
#define IDS_WIDTH                       8003
#define IDS_HEIGHT                      8004
#define IDS_TEXT_COLOUR                 8005
#define IDS_BOARD_COLOUR                8006
#define IDS_TEXT_SIZE                   8007
#define IDS_TEXT_HEIGHT_NOT_NUMBER      8008
#define IDS_TARVO                       8009
#define IDS_DRAW                        8011
#define IDS_INSERT                      8012
#define IDS_SYMBOL                      8015
#define IDS_DESCRIPTION                 8016
#define IDS_LIGHTS                      8029
#define IDS_ROUNDABOUT_RADIUS           8030
#define IDS_ISLAND_WIDTH                8031
#define IDS_ISLAND_LENGTH               8032
#define IDS_ISLAND_SKEW                 8033
#define IDS_ENTRY_WIDTH                 8034
#define IDS_EXIT_WIDTH                  8035
#define IDS_ROAD_WIDTH                  8036
#define IDS_LENGTH_PAST_CROSSING        8037
#define IDS_CROSSING_WIDTH              8038
#define IDS_ROUNDING_RADIUS             8039
#define IDS_ENTRY_ROUNDING_RADIUS       8040
#define IDS_EXIT_ROUNDING_RADIUS        8041
#define IDS_EDGE_BREAK_RADIUS           8042
#define IDS_ISLAND_TRIANGULAR           8043
#define IDS_ISLAND_PARALLEL             8044
#define IDS_ARROW_SHORT                 8046
#define IDS_ARROW_LONG                  8047
#define IDS_ARROWS                      8048
#define IDS_AXES                        8049
#define IDS_COLUMN_SYMBOL               8051
#define IDS_COLUMN_SIZE                 8052
#define IDS_COLUMN_DESTINATION          8053
#define IDS_COLUMN_REFLECTIVITY         8054
#define IDS_COLUMN_AREA                 8055
#define IDS_COLUMN_LENGTH               8056
#define IDS_COLUMN_AREA_PER_METRE       8057
#define IDS_ISLANDS                     8058
#define IDS_ARROW_AHEAD                 8059
#define IDS_ARROW_LEFT                  8060
#define IDS_ARROW_TURN_BACK             8061
#define IDS_ARROW_RIGHT                 8062
#define IDS_ARROW_AHEAD_LEFT            8063
#define IDS_ARROW_AHEAD_RIGHT           8064
#define IDS_ARROW_LEFT_RIGHT            8065
#define IDS_ARROW_AHEAD_LEFT_RIGHT      8066
#define IDS_ARROW_AHEAD_TURN_BACK       8067
#define IDS_ARROW_GUIDE_LEFT            8068
#define IDS_ARROW_GUIDE_RIGHT           8069
#define IDS_ARROW_WARNING               8070
#define IDS_DEST_EXISTING               8071
#define IDS_DEST_DESIGNED               8072
#define IDS_DEST_REMOVED                8073
#define IDS_DEST_TEMPORARY              8074
#define IDS_LINE_DASHED_LONG            8075
#define IDS_LINE_DASHED_SHORT           8076
#define IDS_LINE_DASHED_DIVIDING        8077
#define IDS_LINE_DASHED_GUIDE_NARROW    8078
#define IDS_LINE_DASHED_GUIDE_WIDE      8079
#define IDS_LINE_SOLID_NARROW           8080
#define IDS_LINE_SOLID_WIDE             8081
#define IDS_LINE_ONE_WAY_LONG           8082
#define IDS_LINE_ONE_WAY_SHORT          8083
#define IDS_LINE_DOUBLE_SOLID           8084
#define IDS_LINE_DOUBLE_DASHED          8085
#define IDS_LINE_WARNING                8086
#define IDS_LINE_EDGE_DASHED_WIDE       8087
#define IDS_LINE_EDGE_SOLID_WIDE        8088
#define IDS_LINE_EDGE_DASHED_NARROW     8089
#define IDS_LINE_EDGE_SOLID_NARROW      8090
#define IDS_LINE_PARKING_LANE           8091
#define IDS_DIRECTION_LEFT              8096
#define IDS_DIRECTION_RIGHT             8097
#define IDS_GENERATION_I                8099
#define IDS_SIZE_VERY_LARGE             8100
#define IDS_GENERATION_II               8101
#define IDS_GENERATION_III              8103
#define IDS_SIZE_LARGE                  8104
#define IDS_SIZE_MEDIUM                 8105
#define IDS_SIZE_SMALL                  8106
#define IDS_INSERT_AS_SIGN              8107
#define IDS_ADD_DESCRIPTION             8108
#define IDS_BOARD_TOO_NARROW 8109
#define IDS_TEXT_HEIGHT_TOO_LARGE 8110

// Strings: command-line prompts (each begins with a line feed).
#define IDS_PROMPT_DASHED_SIDE          8014
#define IDS_PROMPT_FIRST_POINT          8017
#define IDS_PROMPT_NEXT_POINT           8019
#define IDS_PROMPT_SECOND_POINT         8020
#define IDS_PROMPT_INSERTION_POINT      8023
#define IDS_PROMPT_DIRECTION            8025
#define IDS_PROMPT_ROAD_FIRST_POINT     8026
#define IDS_PROMPT_ROAD_SECOND_POINT    8027
#define IDS_PROMPT_DESCRIPTION_LINE     8050
#define IDS_PROMPT_FIRST_EDGE           8092
#define IDS_PROMPT_SECOND_EDGE          8093
#define IDS_PROMPT_EDGE_CROSSING        8094
#define IDS_PROMPT_OBJECT               8095
#define IDS_PROMPT_MIDDLE_RADIUS        8102

// Next default values for new objects
#ifdef APSTUDIO_INVOKED
#ifndef APSTUDIO_READONLY_SYMBOLS
#define _APS_NEXT_RESOURCE_VALUE 8111
#define _APS_NEXT_COMMAND_VALUE         32771
#define _APS_NEXT_CONTROL_VALUE         8109
#define _APS_NEXT_SYMED_VALUE 8111
#endif
#endif
