// String ids of the page model's display names: action types, triggers and data types.
// Shared by the programs' resource scripts (through ModelStrings.rc) and the code that
// loads the texts, so this header holds nothing but #defines.
#pragma once

// Action types.
#define IDS_ACTION_TRANSLATE       61449  // 平移运动
#define IDS_ACTION_ROTATE          61450  // 旋转运动
#define IDS_ACTION_EFFECT          61451  // 特技效果
#define IDS_ACTION_PAGE_SWITCH     61452  // 页面切换
#define IDS_ACTION_SHOW_HIDE       61453  // 显示或隐藏
#define IDS_ACTION_LAYER           61454  // 改变层
#define IDS_ACTION_EXIT            61455  // 退出
#define IDS_ACTION_RUN_PROGRAM     61456  // 调用外部程序
#define IDS_ACTION_CONTROL_POINT   61457  // 控制点平移运动
#define IDS_ACTION_PLAY            61530  // 播放
#define IDS_ACTION_STOP            61531  // 停止
#define IDS_ACTION_SET_DATA        61555  // 设置数据
#define IDS_ACTION_DISPLAY         61556  // 显示结果
#define IDS_ACTION_CALCULATE       61557  // 计算结果
#define IDS_ACTION_GIF             61696  // GIF动画
// The cartoon's name had no id of its own; this one is free in every table.
#define IDS_ACTION_CARTOON         61900  // 卡通动画

// Triggers, by bit number.
#define IDS_TRIGGER_LEFT_DOWN      61465  // 按下鼠标左键
#define IDS_TRIGGER_LEFT_UP        61466  // 放开鼠标左键
#define IDS_TRIGGER_DOUBLE_CLICK   61467  // 双击鼠标左键
#define IDS_TRIGGER_MOUSE_MOVE     61468  // 移动鼠标
#define IDS_TRIGGER_RIGHT_DOWN     61469  // 按下鼠标右键
#define IDS_TRIGGER_RIGHT_UP       61470  // 放开鼠标右键
#define IDS_TRIGGER_TIMER          61591  // 定时器
#define IDS_TRIGGER_MOUSE_ENTER    61471  // 鼠标光标进入
#define IDS_TRIGGER_MOUSE_LEAVE    61472  // 鼠标光标离开
#define IDS_TRIGGER_KEY_DOWN       61587  // 按下键盘键
#define IDS_TRIGGER_KEY_UP         61588  // 放开键盘键
#define IDS_TRIGGER_MOTION         61589  // 运动触发
#define IDS_TRIGGER_DRAG_DROP      61811  // 拖放所选对象

// Data-type groups of the value actions: data/result type, display mode, calculation
// type, set type.
#define IDS_DATA_INTEGER           61562  // 整数
#define IDS_DATA_DECIMAL           61563  // 小数
#define IDS_DATA_TEXT              61564  // 文字
#define IDS_DISPLAY_TEXT_NUMBER    61565  // 文字数字
#define IDS_DISPLAY_RIGHT_WRONG    61566  // 对错符号
#define IDS_DISPLAY_VOICE          61567  // 语音提示
#define IDS_CALC_EXPRESSION        61572  // 表达式
#define IDS_CALC_FORMULA           61573  // 算式
#define IDS_CALC_OPERATION         61574  // 运算
#define IDS_SET_ASSIGN             61583  // 变量赋值
#define IDS_SET_INPUT              61584  // 运算输入
#define IDS_SET_RESET              61585  // 运算归零

// Messages of the page document.
#define IDS_PAGE_BAD_FORMAT        63760  // 文件格式不正确
#define IDS_PAGE_BAD_VERSION       63761  // 文件版本不正确
#define IDS_PAGE_READ_ONLY         63762  // 文件为只读属性，不能保存!...
#define IDS_PAGE_SIZE_RANGE        63763  // 请确定宽度在 %d 到 %d 之间...
#define IDS_PAGE_OPEN_FAILED       63764  // a damaged page file
#define IDS_PAGE_SAVE_FAILED       63765  // a page that could not be written
#define IDS_OUT_OF_MEMORY          61599  // 内存不足

// The character whose height centres captions in shapes.
#define IDS_CAPTION_MEASURE        61743  // 中
// The face of a new text object's font.
#define IDS_DEFAULT_FONT_FACE      61741  // 宋体

// Kind words of the drawing tools, by shape number.
#define IDS_KIND_TEXT              63676  // 文本
#define IDS_KIND_PICTURE           63677  // 图片
#define IDS_KIND_LINE              63678  // 直线
#define IDS_KIND_RECTANGLE         63679  // 矩形
#define IDS_KIND_ROUND_RECTANGLE   63680  // 圆角矩形
#define IDS_KIND_ELLIPSE           63681  // 椭圆
#define IDS_KIND_POLYGON           63682  // 多边形
#define IDS_KIND_CURVE             63683  // 曲线
#define IDS_KIND_POINT             63684  // 点
#define IDS_KIND_COMPOSITE         63685  // 复合对象
#define IDS_KIND_VIDEO             63686  // 影像
#define IDS_KIND_SOUND             63687  // 声音
#define IDS_KIND_GLUE              63688  // 粘接对象
#define IDS_KIND_FUNCTION          63689  // 函数

// Messages of playback: a missing trajectory at the start of a run, a missing target or
// ability of an event, a missing rotation centre. The texts carry a backslash before
// each quotation mark and apostrophe.
#define IDS_PATH_MISSING               63700  // 没找到对象\' %s \'的路径...
#define IDS_PATH_MISSING_IN_OWNER      63701  // 没找到复合对象\" %s \"中的对象...
#define IDS_DRIVEN_OBJECT_MISSING      63702  // 没找到由事件驱动的对象 \"%s\"
#define IDS_DRIVEN_MEMBER_MISSING      63703  // 没找到由事件驱动的复合对象 \"%s\" 中的对象 \"%s\"
#define IDS_DRIVEN_GLUE_MEMBER_MISSING 63704  // 没找到由事件驱动的粘接对象 \"%s\" 中的对象 \"%s\"
#define IDS_DRIVEN_ABILITY_MISSING     63705  // 由事件驱动的对象 \"%s\" 的能力 \"%s\" 不存在!
#define IDS_CENTRE_MISSING             63706  // 没找到对象\' %s \'的旋转中心\' %s \'
#define IDS_CENTRE_MISSING_IN_COMPOSITE 63707 // 没找到复合对象\' %s \'中的对象...
#define IDS_CENTRE_MISSING_IN_GLUE     63708  // 没找到粘接对象\' %s \'中的对象...

// Messages of the discrete actions: running a program and switching pages, and what a
// host playing pages from the web refuses of them.
#define IDS_PROGRAM_MISSING            63720  // 程序或文档不存在
#define IDS_PAGE_NAME_EMPTY            63721  // 装入页失败:装入页名为空
#define IDS_PROGRAM_REFUSED            63722  // 网页中播放的课件不能运行外部程序: %s
#define IDS_PAGE_PATH_REFUSED          63723  // 装入页失败:网页中播放的课件不能打开本机或网络路径 %s

// What a text object working as a calculator shows when a result has no number (division
// by zero, a domain error, an infinite or undefined value).
#define IDS_CALCULATOR_ERROR           63730  // 错误

// Function plots: messages of the set-data hook and of definitions, the end kinds of a
// domain interval and the two data a set-data action gives a plot.
#define IDS_FUN_BAD_FORMULA            63740  // 函数表达式语法有误
#define IDS_FUN_INTERVAL_BAD           63741  // 区间输入有误
#define IDS_FUN_NO_LEFT_BRACKET        63742  // 区间缺少左括号
#define IDS_FUN_NO_COMMA               63743  // 区间缺少逗号
#define IDS_FUN_NO_RIGHT_BRACKET       63744  // 区间缺少右括号
#define IDS_FUN_END_KIND_FIRST         63745  // 左闭右闭, then the other five end kinds in order
#define IDS_FUN_DATUM_FORMULA          63751  // 函数式
#define IDS_FUN_DATUM_INTERVAL         63752  // 区间
#define IDS_FUN_RIGHT_NOT_ABOVE_LEFT   63753  // 区间右端值必须大于左端值
#define IDS_FUN_INDEPENDENT_NOT_LETTER 63754  // 自变量必需为字母
#define IDS_FUN_DEPENDENT_NOT_LETTER   63755  // 因变量必需为字母

// The property grid: the texts of yes/no values and of the control-point button.
#define IDS_GRID_NO                    61461  // 否
#define IDS_GRID_YES                   61462  // 是
#define IDS_GRID_PICK_POINT            61742  // 选择控制点

// Labels of the property rows the page and the objects list.
#define IDS_ROW_PAGE_NAME              63800  // 页名
#define IDS_ROW_WIDTH                  63801  // 宽度
#define IDS_ROW_HEIGHT                 63802  // 高度
#define IDS_ROW_BACK_COLOUR            63803  // 背景色
#define IDS_ROW_CURTAIN_COLOUR         63804  // 幕布色
#define IDS_ROW_USE_BACK_PICTURE       63805  // 使用背景图
#define IDS_ROW_FILE_NAME              63806  // 文件名
#define IDS_ROW_STRETCH_BACK_PICTURE   63807  // 拉伸背景图
#define IDS_ROW_DELAY                  63808  // 延时
#define IDS_ROW_DIRECTION              63809  // 方向
#define IDS_PICTURE_FILTER             61521  // 所有文件 (*.*)|*.*|位图文件(*.bmp)|...

// Rows the kinds of object add to the property panel.
#define IDS_ROW_TRAJECTORY             61687  // 是否轨迹
#define IDS_ROW_CAPTION                61660  // 标题
#define IDS_ROW_OUTLINED               61714  // 有边界
#define IDS_ROW_SEGMENT                63620  // 弓形
#define IDS_ROW_SECTOR_START           63617  // 起始扇角
#define IDS_ROW_SECTOR_SWEEP           63618  // 扇区大小
#define IDS_ROW_GRADIENT_STYLE         61715  // 渐变风格
#define IDS_ROW_PICTURE_FILL           61713  // 使用背景图
#define IDS_ROW_PICTURE_STRETCH        61718  // 拉伸背景图
#define IDS_ROW_PICTURE_FILE           61547  // 文件名 (also the sound's and the video's file)
// The picture object's file row had no id of its own; this one is free in every table.
#define IDS_ROW_IMAGE_FILE             61548  // 图象文件
#define IDS_ROW_PLAY_TIME              61537  // 播放时间
#define IDS_ROW_LOOP_PLAY              61532  // 循环播放
#define IDS_ROW_PATH_TRACE             61764  // 路径追踪
#define IDS_ROW_POINT_STYLE            61773  // 外型
#define IDS_POINT_ROUND                61774  // 圆
#define IDS_POINT_SQUARE               61775  // 方
#define IDS_POINT_ORDINARY             61776  // 普通点
#define IDS_POINT_PATH_START           61777  // 轨迹起点
#define IDS_POINT_PATH_END             61778  // 轨迹终心
#define IDS_POINT_ROTATION_CENTRE      61779  // 旋转中心
#define IDS_POINT_CONTROL              61780  // 控制点
#define IDS_ROW_POINT_RADIUS           61781  // 半径
#define IDS_ROW_POINT_COLOUR           61782  // 颜色
#define IDS_ROW_POINT_ROLE             61783  // 类型
#define IDS_ROW_RELATED_OBJECT         61784  // 相关对象
#define IDS_ROW_TEXT_INPUT             63960  // 文字输入
#define IDS_ROW_BORDERED               63961  // 有边框
#define IDS_ROW_INTERNAL_TIME          63962  // 内部运动总时间
#define IDS_ROW_INTERNAL_START         63963  // 起动内部运动时刻
#define IDS_ROW_LOOP_INTERNAL          63964  // 循环内部运动
#define IDS_ROW_LOOP_COUNT             63965  // 循环次数
#define IDS_ROW_SHOW_CURVE             63966  // 显示曲线
#define IDS_ROW_UNIT_PIXELS            63967  // 单位点像素
#define IDS_ROW_SHOW_AXES              63968  // 显示坐标系
#define IDS_ROW_INDEPENDENT            63969  // 自变量
#define IDS_ROW_DEPENDENT              63970  // 因变量
#define IDS_ROW_DOMAIN_KIND            63971  // 定义域类型
#define IDS_ROW_INTERVAL_LEFT          63972  // 区间左端
#define IDS_ROW_INTERVAL_RIGHT         63973  // 区间右端
#define IDS_ROW_INTERVAL_STEP          63974  // 区间分割
#define IDS_ROW_DATUM                  63975  // 数据类别

// Rows of the action types on an object's actions page, and their messages. The
// "显示结果" row is labelled with IDS_ACTION_DISPLAY.
#define IDS_ROW_DURATION               61482  // 持续时间
#define IDS_ROW_LOOP_TRANSLATE         61483  // 循环平移
#define IDS_ROW_TWO_WAY_TRANSLATE      61484  // 双向平移
#define IDS_ROW_PATH                   61485  // 轨迹名
#define IDS_PATH_NOT_SET               61486  // 轨迹名未设置!
#define IDS_ROW_TRANSLATE_SPEED        61487  // 平移速度
#define IDS_ROW_START_ANGLE            61488  // 起始角度
#define IDS_ROW_END_ANGLE              61489  // 终止角度
#define IDS_ROW_ROTATE_SPEED           61490  // 旋转速度
#define IDS_ROW_TWO_WAY_ROTATE         61491  // 双向旋转
#define IDS_ROW_LOOP_ROTATE            61492  // 循环旋转
#define IDS_ROW_CENTRE                 61493  // 旋转中心
#define IDS_ROW_PROGRAM                61494  // 程序名
#define IDS_ROW_SHOW                   61495  // 显示
#define IDS_ROW_SHOW_DURATION          61496  // 持续时间
#define IDS_ROW_EFFECT_KIND            61497  // 特技类型
#define IDS_EFFECT_SWEEP               61498  // 扫描显示
#define IDS_EFFECT_MOVE                61499  // 移动显示
#define IDS_EFFECT_BLINDS              61500  // 百叶窗
#define IDS_EFFECT_BARS                61501  // 栅条显示
#define IDS_EFFECT_SHAPES              63629  // 图形渐铺
#define IDS_EFFECT_STRETCH             63623  // 拉伸显示
#define IDS_EFFECT_FADE                61697  // 渐消渐隐
#define IDS_ROW_EFFECT_DIRECTION       61502  // 方向
#define IDS_ROW_EFFECT_DELAY           61509  // 延时
#define IDS_ROW_EFFECT_STEP            61510  // 步长
#define IDS_EFFECT_STEP_ZERO           61752  // 步长不能为0
#define IDS_ROW_TARGET_PAGE            61519  // 页名
#define IDS_ROW_DYNAMIC_SWITCH         61590  // 动态切换
#define IDS_PAGE_FILE_FILTER           61817  // 页面文件(*.rvx)|*.rvx|所有文件 (*.*)|*.*||
#define IDS_TARGET_PAGE_EMPTY          63870  // 页面文件名不能为空
#define IDS_ROW_LAYER_STEPS            61522  // 改变量
#define IDS_ROW_CONTROL_POINT          61523  // 控制点
#define IDS_PROGRAM_FILTER             61524  // 所有文件(*.*)|*.*|可执行文件(*.exe)|*.exe||
#define IDS_ROW_SET_TYPE               61586  // 设置类型
#define IDS_ROW_VARIABLE_INDEX         61570  // 变量索引
#define IDS_ROW_EXPRESSION             61568  // 表达式
#define IDS_ROW_DATA_SOURCE            61569  // 数据来源
#define IDS_ROW_CALC_TYPE              61571  // 计算类型
#define IDS_ROW_COMPARE_DATA           61560  // 比较数据
#define IDS_ROW_RESULT_TYPE            61577  // 结果类型
#define IDS_ROW_CARTOON_LOOP           61594  // 循环显示
#define IDS_ROW_CARTOON_INTERVAL       61595  // 显示间隔

// The objects' own rows: the appearance page, the head of the actions page, the effect
// directions and the interactions page, with their messages. The page's trigger rows
// share the interaction labels.
#define IDS_ROW_EXISTING_ACTIONS       61447  // 已有动作
#define IDS_ROW_ACTION_TYPE            61448  // 动作类型
#define IDS_ROW_BY_EVENT               61459  // 交互
#define IDS_ROW_START_TIME             61460  // 起始时刻
#define IDS_ROW_EXISTING_EVENTS        61463  // 已有交互
#define IDS_ROW_TRIGGER                61464  // 触发条件
#define IDS_ROW_TRIGGERED_OBJECT       61473  // 被触发对象
#define IDS_ROW_TRIGGERED_ACTION       61474  // 被触发动作
#define IDS_ROW_OBJECT_NAME            61475  // 对象名称
#define IDS_ROW_VISIBLE                61476  // 可见
#define IDS_ROW_TRANSPARENT            61477  // 透明
#define IDS_ROW_LAYER                  61478  // 对象层
#define IDS_ROW_BUTTONISED             61479  // 按钮化
#define IDS_START_TIME_NEGATIVE        61480  // 起始时刻不能小于0!\n请重新设定起始时刻
#define IDS_TRIGGERED_OBJECT_EMPTY     61744  // '被触发对象'不能为空
#define IDS_TRIGGERED_OBJECT_MISSING   61745  // 被触发对象不存在
#define IDS_EVENT_NAME_DRIVE           61746  // 驱动
#define IDS_TRIGGER_EMPTY              63766  // '触发条件'不能为空
#define IDS_DIRECTION_DOWN             61503  // 向下
#define IDS_DIRECTION_UP               61504  // 向上
#define IDS_DIRECTION_RIGHT            61505  // 向右
#define IDS_DIRECTION_LEFT             61506  // 向左
#define IDS_DIRECTION_TO_MIDDLE_V      61507  // 上下向中
#define IDS_DIRECTION_TO_MIDDLE_H      61508  // 左右向中
#define IDS_DIRECTION_CROSS_V          61511  // 垂直交叉移动
#define IDS_DIRECTION_CROSS_H          61512  // 水平交叉移动
#define IDS_DIRECTION_BLINDS_V         61513  // 垂直百叶窗
#define IDS_DIRECTION_BLINDS_H         61514  // 水平百叶窗
#define IDS_DIRECTION_BARS_V           61515  // 垂直栅条
#define IDS_DIRECTION_BARS_H           61516  // 水平栅条
#define IDS_DIRECTION_STRETCH_V        63624  // 上下拉伸
#define IDS_DIRECTION_STRETCH_H        63625  // 左右拉伸
#define IDS_DIRECTION_ZOOM             63626  // 放大拉伸
#define IDS_DIRECTION_FADE_IN          63627  // 逐渐显示
#define IDS_DIRECTION_FADE_OUT         63628  // 逐渐消失
#define IDS_DIRECTION_DIAMOND_OUT      63630  // 菱形向外
#define IDS_DIRECTION_DIAMOND_IN       63631  // 菱形向内
#define IDS_DIRECTION_CIRCLE_OUT       63632  // 圆形向外
#define IDS_DIRECTION_CIRCLE_IN        63633  // 圆形向内
#define IDS_DIRECTION_ELLIPSE_OUT      63634  // 椭圆向外
#define IDS_DIRECTION_ELLIPSE_IN       63635  // 椭圆向内
#define IDS_DIRECTION_CROSS_OUT        63636  // 十字向外
#define IDS_DIRECTION_CROSS_IN         63637  // 十字向内

// Rows of the action types on an object's actions page, and their messages. The
// "显示结果" row is labelled with IDS_ACTION_DISPLAY.

// Component libraries.
#define IDS_NOT_A_LIBRARY              61809  // 非库文件
