#pragma once

// Every text the shooting and composition windows show, in one place. The
// booth's own texts are used exactly as they stand, typos included.

namespace kf::texts {

inline constexpr auto kTipCaption = "温馨提示";
inline constexpr auto kConfirmCaption = "确认";

// Camera.
inline constexpr auto kNoCamera = "没有找到摄像头：）";
inline constexpr auto kSettingsNeedCamera = "您只有在视频状态下才能设置摄像头属性！";

// Photo strip and deleting.
inline constexpr auto kChoosePhotoToDelete = "请选择您要删除的照片";
inline constexpr auto kAskDelete = "确实要删除图片吗？";
inline constexpr auto kAskDeleteAll = "确实要删除全部图片吗？";
inline constexpr auto kMenuDelete = "删除";
inline constexpr auto kMenuDeleteAll = "删除全部";
inline constexpr auto kMenuClose = "确定";

// Placement and colour.
inline constexpr auto kChoosePhotoToEdit = "请选择您要操作的相片";
inline constexpr auto kChoosePhotoForColour = "请选者相片！";

// Texts of this booth for cases the window design did not foresee.
inline constexpr auto kStripFull = "照片已满（最多 65 张），请先删除不需要的照片再拍。";
inline constexpr auto kGrabFailed = "拍照失败，没有取得摄像头画面，请再试一次。";
inline constexpr auto kTemplateUnreadable = "模板文件无法读取，请换一个模板。";
inline constexpr auto kRebuildFailed = "照片无法重新生成，照片没有改变。";
inline constexpr auto kShotTemplateUnreadable = "模板文件无法读取，这张照片没有保存，请换一个模板再拍。";
inline constexpr auto kPhotoNotSaved = "照片无法保存，原有照片没有改变：\n%1";

// Colour panel frmAdjustColor.
inline constexpr auto kBrightnessLabel = "亮   度:";
inline constexpr auto kContrastLabel = "对比度:";
inline constexpr auto kRedLabel = "红   色:";
inline constexpr auto kGreenLabel = "绿   色:";
inline constexpr auto kBlueLabel = "蓝   色:";
inline constexpr auto kResetButton = "复原";
inline constexpr auto kOkButton = "确定";
inline constexpr auto kApplyAllButton = "Apply All";
inline constexpr auto kSaveButton = "Save";

// Import.
inline constexpr auto kImportDialogTitle = "导入照片";

} // namespace kf::texts
